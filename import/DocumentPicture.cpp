#include "import/DocumentPicture.h"

#include "image/qt/ImageQt.h"
#include "image/xImage.h"
#include "image/xMemFile.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

CStatus CDocumentPicture::SaveAsJpeg(const CWordDocument::Picture &picture, const QString &path)
{
    if (picture.bytes.isEmpty())
        return CFailure(QStringLiteral("its media is missing from the document"));
    CxImage decoded;
    // The memory file only reads the caller's bytes; it never writes into them.
    CxMemFile file(reinterpret_cast<uint8_t *>(const_cast<char *>(picture.bytes.constData())),
                   size_t(picture.bytes.size()));
    if (!decoded.Decode(&file, ImageFormatNone) || !decoded.IsValid()) {
        const QString reason = QString::fromLatin1(decoded.GetErrorText()).trimmed();
        return CFailure(reason.isEmpty() ? QStringLiteral("the image library cannot read it") : reason);
    }
    QImage source = toQImage(decoded);
    decoded.Destroy();
    if (source.isNull() || qint64(source.width()) * source.height() > kMaxPixels)
        return CFailure(QStringLiteral("the image library cannot read it"));
    QSize size = source.size();
    if (picture.width > 0 && picture.height > 0 && qint64(picture.width) * picture.height <= kMaxPixels)
        size = QSize(picture.width, picture.height);
    QImage flat(size, QImage::Format_RGB888);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), size), source);
    }
    CxImage jpeg;
    if (!fromQImage(jpeg, flat))
        return CFailure(QString::fromLatin1(jpeg.GetErrorText()));
    jpeg.SetJpegQuality(90);
    if (!jpeg.Save(QFile::encodeName(path).toStdString(), ImageFormatJpg)) {
        QFile::remove(path);
        const QString reason = QString::fromLatin1(jpeg.GetErrorText()).trimmed();
        return CFailure(reason.isEmpty() ? QStringLiteral("%1 cannot be written").arg(path) : reason);
    }
    return {};
}

QString CDocumentPicture::BaseName(const QString &documentPath)
{
    QString name = QFileInfo(documentPath).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    for (const QChar c : {u' ', u'<', u'>', u'&', u'/', u'\\'})
        name.remove(c);
    if (name.isEmpty() || name == u"." || name == u"..")
        return QStringLiteral("document");
    return name;
}
