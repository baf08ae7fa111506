#pragma once

#include "documents/document.h"

#include <QWidget>

class QListView;
class PageModel;

// The pages of one attached document at a readable size, one after another,
// scrolling; the caption is the file's name. The pages are drawn as they
// come into sight.
class frmPreview : public QWidget
{
    Q_OBJECT
public:
    explicit frmPreview(const documents::Document &document, QWidget *parent = nullptr);

    // The pages are drawn this wide: about a letter page at 85 dpi.
    static constexpr int PageWidth = 720;

private:
    PageModel *m_pages;
    QListView *lstPages;
};
