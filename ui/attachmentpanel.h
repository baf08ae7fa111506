#pragma once

#include "documents/attachmentlist.h"

#include <QObject>
#include <QSet>
#include <QPointer>
#include <QRect>

class AttachmentStrip;
class StatusLine;
class QWidget;

// The documents of the fax being written, for the main window: the strip
// that lists them; attaching from the file dialog, a drop from a file
// manager or the command line; the preview; and what the status line says
// of them. They belong to the fax being sent, not to the saved document.
class AttachmentPanel : public QObject
{
    Q_OBJECT
public:
    // The strip goes into `client` at `box` when the first document is
    // attached (most runs attach none); boxes and the status line speak for
    // `window`.
    AttachmentPanel(QWidget *window, QWidget *client, const QRect &box, StatusLine &status);

    // lstAttachments; none before the first document.
    AttachmentStrip *strip() const { return lstAttachments; }
    bool isEmpty() const { return m_list.isEmpty(); }

    void attach(const QStringList &paths);
    // Attaches a file that belongs to Quillon (a printed document): it is
    // deleted when it leaves the strip, removed or taken off with the rest.
    void attachOwned(const QString &path);
    // "Attach...": the file dialog, for several files.
    void chooseFiles();
    // Takes every document off the fax; the files stay as they are.
    void clear();

    // Why the fax cannot be sent yet, or empty: "Not sent: NAME is still
    // being read".
    QString notReady() const;
    QList<documents::Document> documents() const { return m_list.documents(); }

    // Files dropped onto `target` are attached, even onto a text box that
    // would otherwise take the file's name as text.
    void acceptDrops(QWidget *target);

Q_SIGNALS:
    // The strip appeared or went: the window changes its size.
    void shownChanged(bool shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void attached(const QStringList &refused);
    void showSummary();
    void preview(int row);

    void showStrip(bool shown);
    // Deletes the owned files of rows first to last, which are leaving.
    void release(int first, int last);

    QWidget *m_window;
    QWidget *m_client;
    QRect m_box;
    StatusLine &m_status;
    AttachmentList m_list;
    AttachmentStrip *lstAttachments = nullptr;
    QString m_lastFolder;
    QSet<QString> m_owned; // printed documents attached
};
