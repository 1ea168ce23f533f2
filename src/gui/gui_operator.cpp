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

void TGuiOperator::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), Lines(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool TGuiOperator::AskAccept(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString(), Lines(text), QMessageBox::NoButton, owner_);
    QPushButton* yes = box.addButton(TText::tr("Принять"), QMessageBox::YesRole);
    // Enter is never a write nor a replaced table: "Отменить" is the default.
    QPushButton* no = box.addButton(TText::tr("Отменить"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    new TMnemonics(&box);
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
    new TMnemonics(&box);
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
    new TMnemonics(&box);
    if (box.exec() != QDialog::Accepted) return false;
    for (qsizetype i = 0; i < choices.size(); ++i) choices[i].checked = ticks[i]->isChecked();
    return true;
}

std::optional<QString> TGuiOperator::AskText(const QString& text, const QString& initial) {
    bool ok = false;
    const QString answer = QInputDialog::getText(owner_, QString(), Lines(text), QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

bool TGuiOperator::WarnOkCancel(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString(), Lines(text), QMessageBox::Ok | QMessageBox::Cancel, owner_);
    // Enter on a warning about a loss must not be the loss.
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

IOperator::TUnsaved TGuiOperator::AskUnsaved(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString(), Lines(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner_);
    // Save writes into the module and Discard drops the edits: Enter does neither.
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return TUnsaved::Save;
    case QMessageBox::Discard: return TUnsaved::Discard;
    default: return TUnsaved::Cancel;
    }
}

void TGuiOperator::ReportError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString(), Lines(text), QMessageBox::Ok, owner_);
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
// operator's documents, rather than the program's hidden configuration folder.
QString KindKey(const QString& filter) {
    return QStringLiteral("folders/") +
           QString::fromLatin1(QCryptographicHash::hash(filter.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
}
} // namespace

QString TGuiOperator::StartFolder(const QString& filter, const QString& fallback) {
    const QString remembered = QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).value(KindKey(filter)).toString();
    if (!remembered.isEmpty() && QDir(remembered).exists()) return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents;
    return fallback;
}
QString TGuiOperator::Remember(const QString& filter, const QString& chosen) {
    if (!chosen.isEmpty())
        QSettings(QStringLiteral("Portiqa"), QStringLiteral("Configurator")).setValue(KindKey(filter), QFileInfo(chosen).absolutePath());
    return chosen;
}

QString TGuiOperator::ChooseSaveFile(const QString& folder, const QString& filter, const QString& proposedName) {
    return Remember(filter, QFileDialog::getSaveFileName(owner_, QString(), QDir(StartFolder(filter, folder)).filePath(proposedName),
                                                         QtFilter(filter)));
}

QString TGuiOperator::ChooseOpenFile(const QString& folder, const QString& filter) {
    return Remember(filter, QFileDialog::getOpenFileName(owner_, QString(), StartFolder(filter, folder), QtFilter(filter)));
}

} // namespace portiqa
