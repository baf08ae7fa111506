#include "mime/multipart.h"

#include "mime/lines.h"

namespace mime {

QList<QByteArrayView> splitMultipart(QByteArrayView body, QByteArrayView boundary)
{
    QList<QByteArrayView> found;
    const QByteArray delimiter = "--" + boundary.toByteArray();
    qsizetype partStart = -1;
    qsizetype previousEnd = -1; // where the line before ends, without its break
    forEachLine(body, [&](const Line<QByteArrayView> &line) {
        if (line.text.startsWith(delimiter)) {
            if (partStart >= 0)
                found.append(body.sliced(partStart, std::max(partStart, previousEnd) - partStart));
            if (line.text.sliced(delimiter.size()).startsWith("--"))
                return false;
            partStart = line.next;
        }
        previousEnd = line.start + line.text.size();
        return true;
    });
    return found;
}

} // namespace mime
