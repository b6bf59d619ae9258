#include "new_plot_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <limits>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "file_monitor.h"
#include "free_spin_box.h"

namespace tarvik {

namespace {

constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

// A check box or radio button (T) named by its own text.
template <typename T>
T* labelled(const char* text) {
    const QString label = QString::fromUtf8(text);
    return named(new T(label), label);
}

// The file types "Browse..." offers: text and GnuPlot files, then the kinds of file
// experiments write (comma- and tab-separated, logs), then every file.
std::vector<FileFilter> data_file_filters() {
    return {{QStringLiteral("Text"), QStringLiteral("*.txt")},
            {QStringLiteral("GnuPlot"), QStringLiteral("*.gp")},
            {QStringLiteral("Data files"), QStringLiteral("*.csv *.tsv *.dat *.log *.txt")},
            {QStringLiteral("All files"), QStringLiteral("*")}};
}

}  // namespace

NewPlotDlg::NewPlotDlg(const NewPlotValues& values, QWidget* parent, FileChooser chooser)
    : QDialog(parent), m_Form(values), m_Values(values), chooser_(std::move(chooser)) {
    build_controls();
    connect_controls();
    show_form();
    tab_to_checked_radio({qobject_cast<QRadioButton*>(controls_[Control::DataFileRadio]),
                          qobject_cast<QRadioButton*>(controls_[Control::ConfigurationFileRadio])});
    // The file name is what a user comes to give; it opens selected, so typing replaces it.
    edit(Control::DataFile)->setFocus();
}

void NewPlotDlg::build_controls() {
    auto& c = controls_;
    auto* data_radio = labelled<QRadioButton>("Data file");
    auto* config_radio = labelled<QRadioButton>("Use configuration file");
    c[Control::DataFileRadio] = data_radio;
    c[Control::ConfigurationFileRadio] = config_radio;
    auto* file = named(new QLineEdit, QStringLiteral("File selection:"));
    c[Control::DataFile] = file;
    c[Control::Browse] = labelled<QPushButton>("Browse...");
    c[Control::SelectConfiguration] = labelled<QPushButton>("Select Configuration File (XML)...");
    auto* file_group =
        named(new QGroupBox(QStringLiteral("File selection:")), QStringLiteral("File selection:"));
    auto* file_layout = new QGridLayout(file_group);
    file_layout->addWidget(data_radio, 0, 0);
    file_layout->addWidget(config_radio, 0, 1);
    file_layout->addWidget(file, 1, 0);
    file_layout->addWidget(c[Control::Browse], 1, 1);
    file_layout->addWidget(c[Control::SelectConfiguration], 2, 0, 1, 2);

    const int top = NewPlotForm::kHighestColumn;
    const int precision = NewPlotForm::highest_precision();
    auto* x_col = new FreeSpinBox(NewPlotForm::kLowestXColumn, top);
    auto* y_col = new FreeSpinBox(NewPlotForm::kLowestYColumn, top);
    auto* x_precision = new FreeSpinBox(NewPlotForm::kLowestPrecision, precision);
    auto* y_precision = new FreeSpinBox(NewPlotForm::kLowestPrecision, precision);
    c[Control::XColumn] = x_col;
    c[Control::YColumn] = y_col;
    c[Control::XPrecision] = x_precision;
    c[Control::YPrecision] = y_precision;
    for (const Control box : {Control::XMin, Control::XMax, Control::YMin, Control::YMax})
        c[box] = new QLineEdit;
    c[Control::RealTimeXAxis] = labelled<QCheckBox>("real-time x-axis");
    c[Control::AddOnly] = labelled<QCheckBox>("Add only");
    c[Control::AutoXRange] = labelled<QCheckBox>("Auto x-range");
    c[Control::AutoYRange] = labelled<QCheckBox>("Auto y-range");
    c[Control::OpenMaximised] = labelled<QCheckBox>("Open maximized");
    c[Control::DataTips] = labelled<QCheckBox>("Enable datatips");
    c[Control::PointsOnly] = labelled<QCheckBox>("Display data points only");
    c[Control::AutoXScroll] = labelled<QCheckBox>("auto x scroll");

    // Rows in reading order: columns, x range, y range, precisions.
    auto* grid = new QGridLayout;
    const auto put = [grid](int row, int column, QWidget* box, const char* label) {
        grid->addWidget(label_for(box, QString::fromUtf8(label)), row, column);
        grid->addWidget(box, row, column + 1);
    };
    put(0, 0, x_col, "x-col:");
    put(0, 2, y_col, "y-col:");
    grid->addWidget(c[Control::RealTimeXAxis], 0, 4);
    grid->addWidget(c[Control::AddOnly], 0, 5);
    put(1, 0, c[Control::XMin], "x-min:");
    put(1, 2, c[Control::XMax], "x-max:");
    grid->addWidget(c[Control::AutoXRange], 1, 4);
    grid->addWidget(c[Control::AutoXScroll], 1, 5);
    put(2, 0, c[Control::YMin], "y-min:");
    put(2, 2, c[Control::YMax], "y-max:");
    grid->addWidget(c[Control::AutoYRange], 2, 4);
    put(3, 0, x_precision, "x-precision");
    put(3, 2, y_precision, "y-precision");

    auto* options = new QHBoxLayout;
    for (const Control box : {Control::OpenMaximised, Control::DataTips, Control::PointsOnly})
        options->addWidget(c[box]);

    auto* title = named(new QLineEdit, QStringLiteral("Curve title:"));
    c[Control::CurveTitle] = title;
    auto* title_group =
        named(new QGroupBox(QStringLiteral("Curve title:")), QStringLiteral("Curve title:"));
    (new QVBoxLayout(title_group))->addWidget(title);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_group);
    layout->addLayout(grid);
    layout->addLayout(options);
    layout->addWidget(title_group);
    // Made last so the dialog's first focus is the first control, not OK.
    auto* buttons = ok_cancel_buttons(this);
    layout->addWidget(buttons);

    // Tab order follows the reading order above, whatever order the widgets were made in.
    QWidget* const order[] = {data_radio,
                              config_radio,
                              file,
                              c[Control::Browse],
                              c[Control::SelectConfiguration],
                              x_col,
                              y_col,
                              c[Control::RealTimeXAxis],
                              c[Control::AddOnly],
                              c[Control::XMin],
                              c[Control::XMax],
                              c[Control::AutoXRange],
                              c[Control::AutoXScroll],
                              c[Control::YMin],
                              c[Control::YMax],
                              c[Control::AutoYRange],
                              x_precision,
                              y_precision,
                              c[Control::OpenMaximised],
                              c[Control::DataTips],
                              c[Control::PointsOnly],
                              title,
                              buttons->button(QDialogButtonBox::Ok),
                              buttons->button(QDialogButtonBox::Cancel)};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QLineEdit* NewPlotDlg::edit(Control box) const {
    if (auto* spin = qobject_cast<FreeSpinBox*>(controls_[box]))
        return spin->edit();
    return qobject_cast<QLineEdit*>(controls_[box]);
}

void NewPlotDlg::connect_controls() {
    for (const Control box : {Control::XColumn, Control::YColumn, Control::XMin, Control::XMax,
                              Control::YMin, Control::YMax, Control::XPrecision,
                              Control::YPrecision, Control::DataFile, Control::CurveTitle}) {
        connect(edit(box), &QLineEdit::textChanged, this, [this, box](const QString& text) {
            if (showing_)
                return;
            m_Form.set_text(box, text.toStdString());
            show_form();
        });
    }
    const auto on_click = [this](Control c, auto reaction) {
        connect(qobject_cast<QAbstractButton*>(controls_[c]), &QAbstractButton::clicked, this,
                [this, reaction](bool checked) {
                    reaction(checked);
                    show_form();
                });
    };
    for (const Control box : {Control::OpenMaximised, Control::DataTips, Control::PointsOnly,
                              Control::AutoXScroll, Control::AddOnly})
        on_click(box, [this, box](bool on) { m_Form.set_checked(box, on); });
    on_click(Control::DataFileRadio, [this](bool) { m_Form.click_data_file(); });
    on_click(Control::ConfigurationFileRadio,
             [this](bool) { m_Form.click_use_configuration_file(); });
    on_click(Control::RealTimeXAxis, [this](bool on) { m_Form.set_real_time_x_axis(on); });
    on_click(Control::AutoXRange, [this](bool on) { m_Form.set_auto_x_range(on); });
    on_click(Control::AutoYRange, [this](bool on) { m_Form.set_auto_y_range(on); });
    on_click(Control::Browse, [this](bool) { browse(); });
    connect(qobject_cast<QAbstractButton*>(controls_[Control::SelectConfiguration]),
            &QAbstractButton::clicked, this, [this] { select_configuration(); });
}

void NewPlotDlg::show_form() {
    showing_ = true;
    setWindowTitle(QString::fromStdString(m_Form.caption()));
    for (int i = 0; i < NewPlotForm::kControlCount; ++i) {
        const auto c = static_cast<Control>(i);
        QWidget* w = controls_[c];
        w->setEnabled(m_Form.enabled(c));
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
            const QSignalBlocker quiet(button);
            button->setChecked(m_Form.checked(c));
        } else if (QLineEdit* box = edit(c)) {
            const QString text = QString::fromStdString(m_Form.text(c));
            if (box->text() != text)
                box->setText(text);
        }
    }
    showing_ = false;
}

void NewPlotDlg::browse() {
    const QString path = chooser_(this, data_file_filters());
    if (!path.isEmpty())
        m_Form.browsed(path.toStdString());
}

void NewPlotDlg::select_configuration() {
    m_Form.begin_configuration_choice();
    const QString path = chooser_(this, {{QStringLiteral("XML"), QStringLiteral("*.xml")}});
    if (path.isEmpty())
        return;
    // Ends at once: what the other boxes hold is not read.
    m_Values = m_Form.configuration_chosen(path.toStdString());
    done(kConfigurationFileResult);
}

void NewPlotDlg::accept() {
    DialogExchange dx;
    NewPlotForm::Numbers n{};
    const auto spin = [this](Control c) { return qobject_cast<FreeSpinBox*>(controls_[c]); };
    n.x_column = dx.integer(spin(Control::XColumn));
    n.y_column = dx.integer(spin(Control::YColumn));
    n.x_min = dx.number(edit(Control::XMin));
    n.x_max = dx.number(edit(Control::XMax));
    n.y_min = dx.number(edit(Control::YMin));
    n.y_max = dx.number(edit(Control::YMax));
    const int lowest = NewPlotForm::kLowestPrecision;
    const int highest = NewPlotForm::highest_precision();
    n.x_precision = dx.integer(spin(Control::XPrecision), lowest, highest);
    n.y_precision = dx.integer(spin(Control::YPrecision), lowest, highest);
    dx.text(edit(Control::DataFile), kNoLengthLimit);
    dx.text(edit(Control::CurveTitle), kNoLengthLimit);
    if (!dx.ok())
        return;
    m_Values = m_Form.accepted(n);
    QDialog::accept();
}

NewPlotOutcome NewPlotDlg::outcome() const {
    if (result() == QDialog::Accepted)
        return NewPlotOutcome::Ok;
    if (result() == kConfigurationFileResult)
        return NewPlotOutcome::ConfigurationFile;
    return NewPlotOutcome::Cancelled;
}

NewPlotRun run_new_plot_dialog(QWidget* parent, const NewPlotValues& values, FileChooser chooser) {
    NewPlotDlg dialog(values, parent, std::move(chooser));
    dialog.exec();
    return {dialog.outcome(), dialog.values()};
}

NewPlotRun run_new_plot(QWidget* parent, int curve_count, const NewPlotValues& values,
                        FileChooser chooser) {
    return run_new_plot_loop(
        curve_count, values,
        [&](const NewPlotValues& shown) { return run_new_plot_dialog(parent, shown, chooser); },
        file_exists);
}

}  // namespace tarvik
