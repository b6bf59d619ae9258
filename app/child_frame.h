// A plot window: one document and the view that shows it, inside the main window. It always
// opens maximised, shows the document's title, and asks before it closes.
#pragma once

#include <QMdiSubWindow>
#include <memory>

namespace tarvik {

class CTarvikDoc;
class CTarvikView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

  public:
    // Takes the document; the view becomes the window's widget.
    CChildFrame(std::unique_ptr<CTarvikDoc> doc, CTarvikView* view);
    ~CChildFrame() override;

    CTarvikDoc& document() { return *doc_; }
    CTarvikView& view() { return *view_; }

    // Closes the window without its question, which has been answered Yes already.
    void close_confirmed();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    // The view goes before the document it points to.
    std::unique_ptr<CTarvikDoc> doc_;
    CTarvikView* view_;
    bool confirmed_ = false;
};

}  // namespace tarvik
