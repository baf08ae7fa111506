#pragma once

#include "mail/enclosure.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>

// Real documents made by the test: PDFs by QPdfWriter, TIFF, PNG and JPEG
// by ImageMagick, a password-protected PDF by qpdf. Each returns the path,
// or an empty text when the tool failed.
namespace documentfiles {

// `pages` pages, each saying its number; `noise` adds that many bytes of
// random picture per page, which no compression shrinks.
inline QString pdf(const QString &path, int pages, int noise = 0)
{
    {
        QPdfWriter writer(path);
        writer.setTitle(QStringLiteral("Quillon test"));
        QPainter painter(&writer);
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                writer.newPage();
            painter.drawText(600, 800, QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages));
            if (noise > 0) {
                const int side = int(std::sqrt(noise / 3.0)) + 1;
                QImage picture(side, side, QImage::Format_RGB888);
                QRandomGenerator random(quint32(i + 1));
                for (int y = 0; y < side; ++y)
                    random.fillRange(reinterpret_cast<quint32 *>(picture.scanLine(y)),
                                     picture.bytesPerLine() / 4);
                painter.drawImage(QRect(600, 1200, 6000, 6000), picture);
            }
        }
    }
    return QFile::exists(path) ? path : QString();
}

// The format is given, so that the name's extension may lie.
inline QString magick(const QString &path, const char *format, const QStringList &arguments)
{
    // /usr/bin: Debian's ImageMagick, whatever else is first on PATH.
    QProcess convert;
    convert.start(QStringLiteral("/usr/bin/convert"),
                  arguments + QStringList{QLatin1StringView(format) + u':' + path});
    return convert.waitForFinished(60000) && convert.exitCode() == 0 ? path : QString();
}

// Pages of shades of grey, 100 by 140 pixels.
inline QString tiff(const QString &path, int pages)
{
    QStringList args{QStringLiteral("-size"), QStringLiteral("100x140")};
    for (int i = 0; i < pages; ++i)
        args << QStringLiteral("xc:gray%1").arg(20 + 60 * i % 80);
    return magick(path, "tiff", args);
}

inline QString png(const QString &path)
{
    return magick(path, "png",
                  {QStringLiteral("-size"), QStringLiteral("60x80"), QStringLiteral("xc:red")});
}

inline QString jpeg(const QString &path)
{
    return magick(path, "jpeg",
                  {QStringLiteral("-size"), QStringLiteral("80x60"), QStringLiteral("xc:blue")});
}

// A one-page PDF that opens only with a password.
inline QString lockedPdf(const QString &path)
{
    const QString plain = pdf(path + QStringLiteral(".plain"), 1);
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--encrypt"), QStringLiteral("user-pw"),
                                        QStringLiteral("owner-pw"), QStringLiteral("256"),
                                        QStringLiteral("--"), plain, path});
    return qpdf.waitForFinished(60000) && qpdf.exitCode() == 0 ? path : QString();
}

// The file as the window hands it to the Send command.
inline Enclosure enclosure(const QString &path, const char *mediaType)
{
    QFile file;
    FileIdentity identity;
    QString reason;
    if (openRegular(file, path, identity, reason) != OpenResult::Opened)
        qFatal("cannot read %s", qPrintable(path));
    const QFileInfo info(path);
    return {path,
            info.fileName(),
            QByteArray(mediaType),
            info.size(),
            info.lastModified(),
            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256),
            identity};
}

} // namespace documentfiles
