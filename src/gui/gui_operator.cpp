#include "gui/gui_operator.h"
#include <QLabel>
#include <QVBoxLayout>
#include <QDialogButtonBox>
#include "gui/mnemonics.h"
#include <QDialog>
#include "base/texts.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace portiqa {

QString TGuiOperator::Lines(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

namespace {

// Every control of a question named for a screen reader and given its
// Alt+letter: the answers by what they do, a box to tick by the question.
void Prepare(QDialog& box, const QString& text) {
    const QString question = TGuiOperator::Lines(text).section(u'\n', 0, 0);
    const QList<QAbstractButton*> buttons = box.findChildren<QAbstractButton*>();
    for (QAbstractButton* b : buttons) {
        if (!b->accessibleDescription().isEmpty()) continue;
        if (qobject_cast<QCheckBox*>(b)) {
            b->setAccessibleDescription(question);
            continue;
        }
        const auto* answers = qobject_cast<QDialogButtonBox*>(b->parentWidget());
        const int count = answers ? int(answers->buttons().size()) : 0;
        switch (answers ? answers->buttonRole(b) : QDialogButtonBox::InvalidRole) {
        case QDialogButtonBox::AcceptRole:
        case QDialogButtonBox::YesRole:
            b->setAccessibleDescription(count == 1 ? TText::tr("Закрыть сообщение")
                                                   : TText::tr("Согласиться: сделать то, о чём спрашивает окно"));
            break;
        case QDialogButtonBox::RejectRole:
        case QDialogButtonBox::NoRole: b->setAccessibleDescription(TText::tr("Отказаться: ничего не меняется")); break;
        case QDialogButtonBox::DestructiveRole: b->setAccessibleDescription(TText::tr("Отбросить изменения, не сохраняя их")); break;
        default: b->setAccessibleDescription(b->text()); break;
        }
    }
    for (QLabel* l : box.findChildren<QLabel*>())  // a message's text the keyboard can select
        if (l->focusPolicy() != Qt::NoFocus && l->accessibleDescription().isEmpty())
            l->setAccessibleDescription(TText::tr("Текст сообщения"));
    for (QLineEdit* e : box.findChildren<QLineEdit*>()) {
        if (e->accessibleName().isEmpty()) e->setAccessibleName(question);
        if (e->accessibleDescription().isEmpty()) e->setAccessibleDescription(TText::tr("Введите ответ и нажмите Enter"));
    }
    new TMnemonics(&box);
}

} // namespace

void TGuiOperator::Tell(const QString& text) {
    if (OnTell) OnTell(Lines(text));
    else ShowMessage(text);
}

void TGuiOperator::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), Lines(text), QMessageBox::Ok, owner_);
    Prepare(box, text);
    box.exec();
}

bool TGuiOperator::AskAccept(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString(), Lines(text), QMessageBox::NoButton, owner_);
    QPushButton* yes = box.addButton(TText::tr("Принять"), QMessageBox::YesRole);
    // Enter is never a write nor a replaced table: "Отменить" is the default.
    QPushButton* no = box.addButton(TText::tr("Отменить"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    Prepare(box, text);
    box.exec();
    return box.clickedButton() == yes;
}

bool TGuiOperator::AskAcceptWithOption(const QString& text, const QString& option, bool& checked) {
    QMessageBox box(QMessageBox::Question, QString(), Lines(text), QMessageBox::NoButton, owner_);
    QPushButton* yes = box.addButton(TText::tr("Принять"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(TText::tr("Отменить"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    auto* tick = new QCheckBox(option, &box);
    tick->setChecked(checked);
    box.setCheckBox(tick);
    Prepare(box, text);
    box.exec();
    checked = tick->isChecked();
    return box.clickedButton() == yes;
}

bool TGuiOperator::AskChoices(const QString& text, QList<TChoice>& choices) {
    QDialog box(owner_);
    auto* layout = new QVBoxLayout(&box);
    auto* label = new QLabel(Lines(text), &box);
    layout->addWidget(label);
    QList<QCheckBox*> ticks;
    for (const TChoice& c : choices) {
        auto* tick = new QCheckBox(c.label, &box);
        tick->setChecked(c.checked);
        layout->addWidget(tick);
        ticks << tick;
    }
    auto* buttons = new QDialogButtonBox(&box);
    QPushButton* yes = buttons->addButton(TText::tr("Принять"), QDialogButtonBox::AcceptRole);
    buttons->addButton(TText::tr("Отменить"), QDialogButtonBox::RejectRole);
    yes->setDefault(true);  // a choice of what to do next; nothing is written yet
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);
    Prepare(box, text);
    if (box.exec() != QDialog::Accepted) return false;
    for (qsizetype i = 0; i < choices.size(); ++i) choices[i].checked = ticks[i]->isChecked();
    return true;
}

std::optional<QString> TGuiOperator::AskText(const QString& text, const QString& initial) {
    QInputDialog box(owner_);
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(Lines(text));
    box.setTextValue(initial);
    box.setOkButtonText(TText::tr("Принять"));
    box.setCancelButtonText(TText::tr("Отменить"));
    Prepare(box, text);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue();
}

bool TGuiOperator::WarnOkCancel(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString(), Lines(text), QMessageBox::Ok | QMessageBox::Cancel, owner_);
    // Enter on a warning about a loss must not be the loss.
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    Prepare(box, text);
    return box.exec() == QMessageBox::Ok;
}

IOperator::TUnsaved TGuiOperator::AskUnsaved(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString(), Lines(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner_);
    // Save writes into the module and Discard drops the edits: Enter does neither.
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    Prepare(box, text);
    switch (box.exec()) {
    case QMessageBox::Save: return TUnsaved::Save;
    case QMessageBox::Discard: return TUnsaved::Discard;
    default: return TUnsaved::Cancel;
    }
}

void TGuiOperator::ReportError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString(), Lines(text), QMessageBox::Ok, owner_);
    Prepare(box, text);
    box.exec();
}

QString TGuiOperator::QtFilter(const QString& pipeFilter) {
    // The kinds of file the core names in its filters, shown in the operator's
    // language; the filter itself stays as it is (it also keys the remembered folder).
    [[maybe_unused]] static const char* const kKinds[] = {
        QT_TRANSLATE_NOOP("TText", "EXCEL file"), QT_TRANSLATE_NOOP("TText", "CSV file"),
        QT_TRANSLATE_NOOP("TText", "CVS file"),   QT_TRANSLATE_NOOP("TText", "All number lists"),
        QT_TRANSLATE_NOOP("TText", "(*.*)"),      QT_TRANSLATE_NOOP("TText", "Portiqa backup"),
        QT_TRANSLATE_NOOP("TText", "CSV file (UTF-8)"), QT_TRANSLATE_NOOP("TText", "CVS file (Windows-1251)")};
    const QStringList parts = pipeFilter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        if (patterns == QLatin1String("*.*")) patterns = QStringLiteral("*");
        out << QStringLiteral("%1 (%2)").arg(Translated(parts[i]), patterns);
    }
    return out.join(QStringLiteral(";;"));
}

namespace {

// The folder a dialog of this kind of file was last left in; else the
// operator's documents.
QString KindKey(const QString& subject) {
    return QStringLiteral("folders/") +
           QString::fromLatin1(QCryptographicHash::hash(subject.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
}
} // namespace

QString TGuiOperator::StartFolder(const QString& subject, const QString& fallback) {
    const QString remembered = QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).value(KindKey(subject)).toString();
    if (!remembered.isEmpty() && QDir(remembered).exists()) return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents;
    return fallback;
}
QString TGuiOperator::Remember(const QString& subject, const QString& chosen) {
    if (!chosen.isEmpty())
        QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).setValue(KindKey(subject), QFileInfo(chosen).absolutePath());
    return chosen;
}

QString TGuiOperator::ChooseSaveFile(const QString& subject, const QString& folder, const QString& filter,
                                     const QString& proposedName) {
    return Remember(subject, QFileDialog::getSaveFileName(owner_, TText::tr("Сохранить в файл: %1").arg(subject),
                                                          QDir(StartFolder(subject, folder)).filePath(proposedName),
                                                          QtFilter(filter)));
}

QString TGuiOperator::ChooseOpenFile(const QString& subject, const QString& folder, const QString& filter) {
    return Remember(subject, QFileDialog::getOpenFileName(owner_, TText::tr("Открыть файл: %1").arg(subject),
                                                          StartFolder(subject, folder), QtFilter(filter)));
}

} // namespace portiqa
