#pragma once

#include "documents/document.h"

#include <QAbstractListModel>
#include <QHash>
#include <QThreadPool>

// The pages of one document, for a view that shows them one after another
// at `width` pixels. A page is drawn on a worker thread when the view first
// asks for it, and only the pages last asked for are kept: a 200-page PDF
// costs a handful of pictures, however far it is scrolled.
class PageModel : public QAbstractListModel
{
    Q_OBJECT
public:
    PageModel(const documents::Document &document, int width, QObject *parent = nullptr);
    ~PageModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    // DecorationRole: the page's picture, or nothing while it is drawn;
    // SizeHintRole: its size at the width.
    QVariant data(const QModelIndex &index, int role) const override;

    // How many drawn pages are kept.
    static constexpr int Kept = 12;

private:
    void draw(int page) const;

    documents::Document m_document;
    int m_width;
    mutable QHash<int, QImage> m_drawn;
    mutable QList<int> m_recent; // pages drawn, the most recently asked last
    mutable QSet<int> m_drawing;
    mutable QThreadPool m_painters;
};
