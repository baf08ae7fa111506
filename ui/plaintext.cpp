#include "ui/plaintext.h"

#include <QTextDocument>

namespace plaintext {

void messageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString toolTip(const QString &text)
{
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

} // namespace plaintext
