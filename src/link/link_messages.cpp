#include "link/link_messages.h"
#include "base/texts.h"
#include "link/protocol.h"
#include <QStringList>

namespace portiqa {

namespace {

QString WrittenSoFar(int pages, bool verifying = false) {
    // Every page went out; only the check of what the module stored was cut short.
    if (verifying)
        return TText::tr("\rЗаписано страниц: %1 (все). Проверка записи не завершена: прочитайте данные "
                              "и сравните").arg(pages);
    if (pages == 0) return QString();
    return TText::tr("\rЗаписано страниц: %1. Сохраните ещё раз, чтобы записать остальные").arg(pages);
}

} // namespace

QString NoAnswerHint() {
    return TText::tr("\rПроверьте кабель, питание модуля и выбранный порт");
}

QString LinkLostMessage(const QString& why) {
    if (!why.isEmpty()) return TText::tr("Связь с GSM модулем потеряна: %1").arg(why);
    return TText::tr("Связь с GSM модулем потеряна: порт закрыт");
}

QString LinkMessage(const TLinkNotice& n) {
    using K = TLinkNotice::TKind;
    switch (n.kind) {
    case K::ReplyTimeout:
        // The Part's words first; then what to check.
        // A final failure: what happened, what was written, what to check.
        return TText::tr("GSM модуль не отвечает") + WrittenSoFar(n.pagesWritten, n.verifying) + NoAnswerHint();
    case K::LinkLost:
        return LinkLostMessage(n.detail) + WrittenSoFar(n.pagesWritten, n.verifying) +
               TText::tr("\rПодключите GSM модуль, откройте порт, войдите и повторите");
    case K::SaveRefused:
        if (n.rawPages)
            return TText::tr("GSM модуль отказался записать страницу 0x%1").arg(n.address, 5, 16, QChar('0')) +
                   WrittenSoFar(n.pagesWritten);
        return (ClassifyAddress(n.address) == TAddressClass::Settings ? TText::tr("Ошибка базовой настройки")
                                                                       : TText::tr("Ошибка данных списка номеров")) +
               WrittenSoFar(n.pagesWritten);
    case K::ReadsDisagree:
        return TText::tr("Ответы GSM модуля при повторном чтении не совпадают: проверьте кабель и повторите");
    case K::CommandAnswered:
        return n.detail;
    case K::HandlerFailed:
        return n.detail;
    case K::Cancelled:
        return TText::tr("Обмен с GSM модулем прерван") + WrittenSoFar(n.pagesWritten, n.verifying);
    }
    return n.detail;
}

void ShowLinkNotice(IOperator& op, const TLinkNotice& n) {
    if (n.kind == TLinkNotice::TKind::HandlerFailed) op.ReportError(LinkMessage(n));
    else op.ShowMessage(LinkMessage(n));
}

QString BusyMessage() {
    return TText::tr("Дождитесь окончания текущего обмена с GSM модулем");
}

bool RefusedWhileBusy(const TRequestSequence& seq, IOperator& op) {
    if (!seq.Outstanding()) return false;
    op.ShowMessage(BusyMessage());
    return true;
}

QString PagesWrittenText(int pages) {
    return TText::tr("Записано страниц: %1").arg(pages);
}

QString VerificationFailedText(const std::vector<int>& pages) {
    QStringList list;
    for (int p : pages) list << QString::number(p);
    return TText::tr("Проверка записи не пройдена: страницы ") + list.join(QStringLiteral(", ")) +
           TText::tr("\rМодуль хранит на этих страницах не то, что было записано; сохраните ещё раз");
}

void FinishVerifiedSave(IOperator& op, TPageBlock& block, const std::vector<int32_t>& failed,
                        int32_t firstAddress, const QString& doneText, int pagesWritten) {
    if (!failed.empty()) {
        std::vector<int> pages;
        for (int32_t a : failed) pages.push_back((a - firstAddress) / kPageSize + 1);
        const QString text = VerificationFailedText(pages);
        block.Fail(text);
        op.ShowMessage(text);
        return;
    }
    // The block ends (and the journal keeps its outcome) before the operator
    // is shown it: a window closed with the box open leaves no save unfinished.
    const QString text = doneText + u'\r' + PagesWrittenText(pagesWritten);
    block.Done(text);
    op.ShowMessage(text);
}

} // namespace portiqa
