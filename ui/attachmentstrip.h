#pragma once

#include <QListView>

class AttachmentList;

// lstAttachments: the documents attached to the fax, each with a picture of
// its first page, its name, pages and size. Delete or "Remove" in the
// context menu takes one off the fax (the file stays), unless the strip
// only shows what was sent; a double click asks for its preview.
class AttachmentStrip : public QListView
{
    Q_OBJECT
public:
    enum class Use
    {
        Attaching,
        Showing
    };
    AttachmentStrip(AttachmentList &list, Use use, QWidget *parent = nullptr);

Q_SIGNALS:
    void previewRequested(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void removeCurrent();

    AttachmentList &m_list;
    Use m_use;
};
