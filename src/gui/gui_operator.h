#pragma once
#include "base/operator.h"
#include <QWidget>

namespace portiqa {

// The operator seam on message boxes and file dialogs owned by the main window.
class TGuiOperator : public IOperator {
public:
    explicit TGuiOperator(QWidget* owner) : owner_(owner) {}
    void ShowMessage(const QString& text) override;
    void Tell(const QString& text) override;
    // Where the window says what it is told (its status line).
    std::function<void(const QString&)> OnTell;
    bool AskAccept(const QString& text) override;
    bool AskAcceptWithOption(const QString& text, const QString& option, bool& checked) override;
    bool AskChoices(const QString& text, QList<TChoice>& choices) override;
    bool WarnOkCancel(const QString& text) override;
    std::optional<QString> AskText(const QString& text, const QString& initial) override;
    TUnsaved AskUnsaved(const QString& text) override;
    void ReportError(const QString& text) override;
    QString ChooseSaveFile(const QString& subject, const QString& folder, const QString& filter, const QString& proposedName) override;
    QString ChooseOpenFile(const QString& subject, const QString& folder, const QString& filter) override;

    // "EXCEL file|*.xlsx;*.xls|(*.*)|*.*" in Qt's form.
    static QString QtFilter(const QString& pipeFilter);
    // Lines of the system's texts break with a lone carriage return.
    static QString Lines(const QString& text);
    // Where a dialog for this kind of file (its subject) opens: where the
    // operator last chose one, else the documents folder, else fallback.
    static QString StartFolder(const QString& subject, const QString& fallback);
    // Keeps the folder of a chosen file for its kind; returns the choice.
    static QString Remember(const QString& subject, const QString& chosen);

private:
    QWidget* owner_;
};

} // namespace portiqa
