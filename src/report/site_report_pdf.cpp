// The report as a PDF: A4, real text with its fonts embedded, each page under
// a running header (site, date, page N of M), tables whose rows are never cut
// by a page and whose header row starts every page they run onto, and the
// contents naming the page of each section. Laid out twice: once to count
// the pages, once to draw them.
#include "base/texts.h"
#include "files/file_replace.h"
#include "report/site_report.h"
#include <QPainter>
#include <QPdfWriter>

namespace portiqa {

namespace {

struct TColumn {
    QString caption;
    int percent;
};

class TPages {
public:
    TPages(QPdfWriter& pdf, QPainter* p, QString header, int pageCount)
        : pdf_(pdf), p_(p), header_(std::move(header)), count_(pageCount) {
        width_ = pdf.pageLayout().paintRectPixels(pdf.resolution()).width();
        height_ = pdf.pageLayout().paintRectPixels(pdf.resolution()).height();
        text_ = QFont(QStringLiteral("DejaVu Sans"));
        text_.setStyleHint(QFont::SansSerif);
        text_.setPointSizeF(9);
        bold_ = text_;
        bold_.setBold(true);
        pad_ = QFontMetricsF(text_, &pdf).height() / 4;
        StartPage();
    }
    int Page() const { return page_; }

    void Heading(const QString& text, qreal points) {
        QFont f = bold_;
        f.setPointSizeF(points);
        const qreal h = Measure(f, width_, text) + pad_ * 3;
        // A heading stays with what follows it: at least a few lines of it.
        if (y_ + h + 4 * QFontMetricsF(text_, &pdf_).height() > height_) NewPage();
        Draw(f, QRectF(0, y_ + pad_ * 2, width_, h), text);
        y_ += h;
    }
    void Paragraph(const QString& text) {
        const qreal h = Measure(text_, width_, text) + pad_ * 2;
        if (y_ + h > height_) NewPage();
        Draw(text_, QRectF(0, y_ + pad_, width_, h), text);
        y_ += h;
    }
    // Rows never split; the header row (when there is one) opens every page.
    void Table(const QList<TColumn>& columns, const QList<QStringList>& rows, bool withHeader) {
        QStringList captions;
        for (const TColumn& c : columns) captions << c.caption;
        if (withHeader) Row(columns, captions, true);
        for (const QStringList& r : rows) {
            if (y_ + RowHeight(columns, r, false) > height_) {
                NewPage();
                if (withHeader) Row(columns, captions, true);
            }
            Row(columns, r, false);
        }
        y_ += pad_ * 2;
    }

private:
    qreal Measure(const QFont& f, qreal w, const QString& text) const {
        return QFontMetricsF(f, &pdf_).boundingRect(QRectF(0, 0, w, 1e6), Qt::TextWordWrap | Qt::AlignLeft, text).height();
    }
    void Draw(const QFont& f, const QRectF& r, const QString& text) {
        if (!p_) return;
        p_->setFont(f);
        p_->drawText(r, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    }
    qreal RowHeight(const QList<TColumn>& columns, const QStringList& cells, bool header) const {
        qreal h = 0;
        for (int i = 0; i < columns.size(); ++i)
            h = std::max(h, Measure(header ? bold_ : text_, width_ * columns[i].percent / 100 - 2 * pad_, cells.value(i)));
        return h + 2 * pad_;
    }
    void Row(const QList<TColumn>& columns, const QStringList& cells, bool header) {
        const qreal h = std::min(RowHeight(columns, cells, header), height_ - top_);  // a row taller than a page is cut
        qreal x = 0;
        for (int i = 0; i < columns.size(); ++i) {
            const qreal w = width_ * columns[i].percent / 100;
            if (p_) p_->drawRect(QRectF(x, y_, w, h));
            Draw(header ? bold_ : text_, QRectF(x + pad_, y_ + pad_, w - 2 * pad_, h - 2 * pad_), cells.value(i));
            x += w;
        }
        y_ += h;
    }
    void StartPage() {
        const qreal line = QFontMetricsF(text_, &pdf_).height();
        if (p_) {
            p_->setFont(text_);
            const QRectF top(0, 0, width_, line);
            p_->drawText(top, Qt::AlignLeft | Qt::AlignTop, header_);
            p_->drawText(top, Qt::AlignRight | Qt::AlignTop, TText::tr("страница %1 из %2").arg(page_).arg(count_));
            p_->drawLine(QPointF(0, line * 1.2), QPointF(width_, line * 1.2));
        }
        top_ = y_ = line * 2;
    }
    void NewPage() {
        ++page_;
        if (p_) pdf_.newPage();
        StartPage();
    }

    QPdfWriter& pdf_;
    QPainter* p_;
    QString header_;
    int count_ = 0, page_ = 1;
    qreal width_ = 0, height_ = 0, y_ = 0, top_ = 0, pad_ = 0;
    QFont text_, bold_;
};

// One pass over the report; the pages each section starts on.
QList<int> Lay(const TSiteReport& r, TPages& pages, const QList<int>& sectionPages) {
    const QStringList titles{TText::tr("Модули"), TText::tr("Пользователи"), TText::tr("Изменения с прошлого отчёта"),
                             TText::tr("Последние события")};
    QList<int> starts;
    pages.Heading(TText::tr("Объект «%1»: кто открывает ворота").arg(r.site), 15);
    pages.Paragraph(TText::tr("Отчёт от %1. Редакция списка %2, изменён %3. Модулей: %4, номеров: %5, окно кончается в "
                              "ближайшие %6 дней: %7.")
                        .arg(r.made).arg(r.revision).arg(r.updated).arg(r.modules.size()).arg(r.people.size())
                        .arg(r.options.endingDays).arg(r.endingSoon));
    pages.Heading(TText::tr("Содержание"), 11);
    QList<QStringList> contents;
    for (int i = 0; i < titles.size(); ++i)
        contents << QStringList{QStringLiteral("%1. %2").arg(i + 1).arg(titles[i]),
                                sectionPages.size() > i ? QString::number(sectionPages[i]) : QStringLiteral("…")};
    pages.Table({{QString(), 80}, {QString(), 20}}, contents, false);

    const auto section = [&](int i) {
        pages.Heading(QStringLiteral("%1. %2").arg(i + 1).arg(titles[i]), 13);
        starts << pages.Page();
    };
    section(0);
    for (const TSiteReport::TModule& m : r.modules) {
        pages.Heading(m.name.isEmpty() ? m.sim : m.name + QStringLiteral(" (") + m.sim + u')', 11);
        QList<QStringList> rows{{TText::tr("Номер SIM"), m.sim.isEmpty() ? QStringLiteral("—") : m.sim}};
        if (!m.address.isEmpty()) rows << QStringList{TText::tr("Адрес"), m.address};
        rows << QStringList{TText::tr("Список"), m.state} << QStringList{TText::tr("Последнее обращение"), m.lastVisit};
        if (!m.leftOut.isEmpty()) rows << QStringList{TText::tr("Без номеров"), m.leftOut.join(QStringLiteral(", "))};
        for (const auto& [caption, value] : m.settings) rows << QStringList{caption, value};
        pages.Table({{QString(), 40}, {QString(), 60}}, rows, false);
    }
    section(1);
    pages.Paragraph(TText::tr("Всего: %1; окно кончается в ближайшие %2 дней (отмечены «!»): %3.")
                        .arg(r.people.size()).arg(r.options.endingDays).arg(r.endingSoon));
    QList<QStringList> people;
    for (const TSiteReport::TPerson& p : r.people) {
        QString window = (p.endsSoon ? QStringLiteral("! ") : QString()) + p.window;
        if (!p.only.isEmpty()) window += TText::tr(" (только %1)").arg(p.only);
        people << QStringList{p.place, p.name, p.number, window, p.lastUse};
    }
    pages.Table({{TText::tr("Место"), 13}, {TText::tr("Имя"), 26}, {TText::tr("Номер"), 17}, {TText::tr("Окно доступа"), 26},
                 {TText::tr("Последнее использование"), 18}},
                people, true);
    section(2);
    pages.Paragraph(r.changesSince);
    QList<QStringList> changes;
    for (const TSiteReport::TChange& c : r.changes) changes << QStringList{c.what, c.name, c.number, c.before, c.after};
    if (!changes.isEmpty())
        pages.Table({{TText::tr("Изменение"), 16}, {TText::tr("Имя"), 22}, {TText::tr("Номер"), 18}, {TText::tr("Было"), 22},
                     {TText::tr("Стало"), 22}},
                    changes, true);
    else if (r.sinceReport)
        pages.Paragraph(TText::tr("Список не менялся."));
    section(3);
    for (const TSiteReport::TModule& m : r.modules) {
        pages.Heading(m.name.isEmpty() ? m.sim : m.name, 11);
        if (m.events.isEmpty()) pages.Paragraph(TText::tr("журнал событий модуля не читался"));
        else pages.Table({{TText::tr("Время"), 25}, {TText::tr("Событие"), 45}, {TText::tr("Номер"), 30}}, m.events, true);
    }
    return starts;
}

bool Render(const TSiteReport& report, const QString& path, QString& error) {
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    pdf.setResolution(300);
    pdf.setTitle(TText::tr("Объект «%1»: кто открывает ворота").arg(report.site));
    pdf.setCreator(QStringLiteral("Portiqa Configurator " PORTIQA_VERSION));
    const QString header = TText::tr("Объект «%1» — %2").arg(report.site, report.made);
    // First counted (nothing drawn), then drawn with the count and the contents' pages.
    TPages counting(pdf, nullptr, header, 0);
    const QList<int> starts = Lay(report, counting, {});
    QPainter p;
    if (!p.begin(&pdf)) {
        error = TText::tr("PDF не создаётся: %1").arg(path);
        return false;
    }
    TPages drawing(pdf, &p, header, counting.Page());
    Lay(report, drawing, starts);
    if (!p.end()) {
        error = TText::tr("PDF не записан: %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

bool TSiteReport::WritePdf(const QString& path, QString& error) const {
    // Names and numbers of people: the file is its user's alone, as a backup is.
    return ReplaceFileAtomically(path, [this](const QString& tmp, QString& e) { return Render(*this, tmp, e); }, error,
                                 TFileAccess::Private);
}

} // namespace portiqa
