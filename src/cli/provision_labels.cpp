#include "cli/provision_labels.h"
#include "base/texts.h"
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <algorithm>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>
#include <qrencode.h>
#include <memory>

namespace portiqa {

QString LabelCode(const TLabel& l, bool withPin) {
    QString code = QStringLiteral("PORTIQA;UNIT:%1;SIM:%2;DATE:%3").arg(l.unit, l.sim, l.when.toString(Qt::ISODate));
    if (!l.batch.isEmpty()) code += QStringLiteral(";BATCH:") + QFileInfo(l.batch).fileName();
    if (withPin) code += QStringLiteral(";PIN:") + l.pin;
    return code;
}

bool TLabelWriter::Available() { return true; }

bool TLabelWriter::Open(const QString& path, bool withPin, QString& error) {
    path_ = path;
    withPin_ = withPin;
    oneFile_ = path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    const QString folder = oneFile_ ? QFileInfo(path).absolutePath() : path;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        error = TText::tr("Этикетки: папка %1 недоступна для записи").arg(folder);
        return false;
    }
    return true;
}

namespace {

// One label on the page in hand: the unit large, the SIM number, the date,
// the QR code on the right.
void DrawLabel(QPainter& p, const QRect& area, const TLabel& l, bool withPin) {
    const int qrSide = area.height();
    const QRect qr(area.right() - qrSide, area.top(), qrSide, qrSide);
    if (std::unique_ptr<QRcode, void (*)(QRcode*)> code(
            QRcode_encodeString(LabelCode(l, withPin).toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), QRcode_free);
        code) {
        const double cell = double(qrSide) / (code->width + 8);  // a quiet zone of four cells
        for (int y = 0; y < code->width; ++y)
            for (int x = 0; x < code->width; ++x)
                if (code->data[y * code->width + x] & 1)
                    p.fillRect(QRectF(qr.left() + (x + 4) * cell, qr.top() + (y + 4) * cell, cell, cell), Qt::black);
    }
    QRect text = area.adjusted(0, 0, -qrSide - area.height() / 10, 0);
    QFont big = p.font();
    big.setBold(true);
    // As large as a quarter of the label, smaller when a long name needs it,
    // but never below an eighth (about 3 mm): a longer name wraps instead,
    // over the space the lines below leave (cut there, never drawn over them).
    const int smallest = std::max(8, area.height() / 8);
    for (int size = area.height() / 4; size >= smallest; size -= 2) {
        big.setPixelSize(size);
        if (QFontMetrics(big, p.device()).horizontalAdvance(l.unit) <= text.width()) break;
    }
    p.setFont(big);
    p.save();
    const QRect nameArea = text.adjusted(0, 0, 0, -(area.height() * 4) / 9);
    p.setClipRect(nameArea);
    p.drawText(nameArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, l.unit);
    p.restore();
    QFont small = p.font();
    small.setPixelSize(area.height() / 9);
    small.setBold(false);
    p.setFont(small);
    QStringList lines;
    if (!l.sim.isEmpty()) lines << TText::tr("SIM: %1").arg(l.sim);
    if (withPin) lines << TText::tr("Пароль: %1").arg(l.pin);
    lines << l.when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, lines.join(u'\n'));
}

bool WritePdf(const QString& path, const QList<TLabel>& labels, bool withPin, QString& error) {
    // Written beside the target and moved over it: a half-written file is never the labels.
    QTemporaryFile tmp(path + QStringLiteral(".XXXXXX"));
    if (!tmp.open()) {
        error = TText::tr("Этикетки: не удалось записать %1: %2").arg(path, tmp.errorString());
        return false;
    }
    {
        QPdfWriter pdf(&tmp);
        pdf.setPageSize(QPageSize(QSizeF(62, 29), QPageSize::Millimeter));  // a common label roll
        pdf.setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Millimeter);
        pdf.setResolution(300);
        pdf.setTitle(QStringLiteral("Portiqa labels"));
        QPainter p(&pdf);
        for (qsizetype i = 0; i < labels.size(); ++i) {
            if (i > 0) pdf.newPage();
            DrawLabel(p, QRect(QPoint(0, 0), pdf.pageLayout().paintRectPixels(pdf.resolution()).size()), labels[i], withPin);
        }
    }
    tmp.setAutoRemove(false);
    tmp.close();
    QFile::remove(path);
    if (!QFile::rename(tmp.fileName(), path)) {
        QFile::remove(tmp.fileName());
        error = TText::tr("Этикетки: не удалось записать %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

bool TLabelWriter::Add(const TLabel& label, QString& error) {
    if (oneFile_) {
        labels_ << label;
        return WritePdf(path_, labels_, withPin_, error);
    }
    QString name = label.unit;
    name.replace(QRegularExpression(QStringLiteral("[^\\w.-]")), QStringLiteral("_"));
    return WritePdf(QDir(path_).filePath(name + QStringLiteral(".pdf")), {label}, withPin_, error);
}

} // namespace portiqa
