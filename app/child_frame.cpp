#include "child_frame.h"

#include <QCloseEvent>

#include "tarvik_doc.h"
#include "tarvik_view.h"

namespace tarvik {

CChildFrame::CChildFrame(std::unique_ptr<CTarvikDoc> doc, CTarvikView* view)
    : doc_(std::move(doc)), view_(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    setWindowTitle(QString::fromStdString(doc_->window_title()));
    connect(view_, &CTarvikView::title_changed, this, &QWidget::setWindowTitle);
}

CChildFrame::~CChildFrame() {
    // The view stops its timer and must not outlive the document it shows.
    delete widget();
}

void CChildFrame::close_confirmed() {
    confirmed_ = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* e) {
    if (confirmed_ || doc_->confirm_close())
        QMdiSubWindow::closeEvent(e);
    else
        e->ignore();
}

}  // namespace tarvik
