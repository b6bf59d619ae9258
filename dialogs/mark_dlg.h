// The mark-line dialog "Press Mark to highlight line:": "Mark" shows the curve in the highlight
// colour, "Unmark" and "Dismiss" (when marked) give it back the colour it had. Each change is a
// MarkLineEvent sent to the target (the plot view) at once.
//     CMarkDlg(view, curve, colour_of_generation_0, parent).exec();
#pragma once

#include <QDialog>
#include <cstdint>

class QObject;
class QPushButton;

namespace tarvik {

class CMarkDlg : public QDialog {
  public:
    static constexpr std::uint32_t kHighlightColour = 0x00FFFF00;  // red 0, green 255, blue 255

    CMarkDlg(QObject* target, std::int32_t curve, std::uint32_t saved_colour,
             QWidget* parent = nullptr);

    bool marked() const { return m_Marked; }
    void reject() override;  // "Dismiss", Escape and closing the window

  private:
    void send(std::uint32_t colour);
    void set_marked(bool marked);

    QObject* target_;
    std::int32_t m_Curve;
    std::uint32_t m_SavedColour;
    bool m_Marked = false;
    QPushButton* mark_;
    QPushButton* unmark_;
};

}  // namespace tarvik
