// The range dialogs "X-range:" (CModX) and "Y-range:" (CModY): minimum, maximum and "Auto",
// which opens unchecked. On OK with values().automatic the axis takes its range from the data,
// otherwise values().minimum and maximum fix it.
//     CModX dlg({x_min, x_max, false}, parent);
//     if (dlg.exec() == QDialog::Accepted) apply(dlg.values());
#pragma once

#include <QDialog>

#include "range_form.h"

namespace tarvik {

class RangeEditor;
struct RangeLabels;

class CRangeDlg : public QDialog {
  public:
    const RangeValues& values() const { return m_Form.values(); }
    void accept() override;

  protected:
    CRangeDlg(const QString& caption, const RangeLabels& labels, const RangeValues& values,
              QWidget* parent);

  private:
    RangeForm m_Form;
    RangeEditor* editor_;
};

class CModX : public CRangeDlg {
  public:
    explicit CModX(const RangeValues& values, QWidget* parent = nullptr);
};

class CModY : public CRangeDlg {
  public:
    explicit CModY(const RangeValues& values, QWidget* parent = nullptr);
};

}  // namespace tarvik
