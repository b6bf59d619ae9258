#include "periodic_save_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <limits>

#include "dialog_controls.h"
#include "dialog_exchange.h"
#include "free_spin_box.h"

namespace tarvik {

CPeridicSave::CPeridicSave(const PeriodicSaveValues& values, QWidget* parent, FileChooser chooser)
    : QDialog(parent), m_Form(values), chooser_(std::move(chooser)) {
    setWindowTitle(QStringLiteral("periodic saving:"));
    interval_ =
        new FreeSpinBox(PeriodicSaveForm::kLowestInterval, PeriodicSaveForm::highest_interval());
    file_ = new QLineEdit;
    auto* browse_button =
        named(new QPushButton(QStringLiteral("Browse...")), QStringLiteral("Browse..."));
    auto* boxes = new QGridLayout;
    boxes->addWidget(label_for(interval_, QStringLiteral("Interval:")), 0, 0);
    boxes->addWidget(interval_, 0, 1);
    boxes->addWidget(new QLabel(QStringLiteral("minutes")), 0, 2);
    boxes->addWidget(label_for(file_, QStringLiteral("File:")), 1, 0);
    boxes->addWidget(file_, 1, 1);
    boxes->addWidget(browse_button, 1, 2);

    const QString group_text = QStringLiteral("Format:");
    auto* group = named(new QGroupBox(group_text), group_text);
    png_ = named(new QRadioButton(QStringLiteral("PNG")), QStringLiteral("PNG"));
    bitmap_ = named(new QRadioButton(QStringLiteral("Bitmap")), QStringLiteral("Bitmap"));
    auto* group_layout = new QHBoxLayout(group);
    group_layout->addWidget(png_);
    group_layout->addWidget(bitmap_);
    (m_Form.checked_type() == kSaveBmp ? bitmap_ : png_)->setChecked(true);
    tab_to_checked_radio({png_, bitmap_});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(group);
    layout->addWidget(new QLabel(QStringLiteral("Note: Setting interval to 0 stops saving")));
    layout->addWidget(ok_cancel_buttons(this));
    show_stored();

    connect(png_, &QRadioButton::clicked, this, [this] { click_format(kSavePng); });
    connect(bitmap_, &QRadioButton::clicked, this, [this] { click_format(kSaveBmp); });
    connect(browse_button, &QPushButton::clicked, this, [this] { browse(); });
}

void CPeridicSave::show_stored() {
    show_integer(interval_, m_Form.stored().interval_minutes);
    file_->setText(QString::fromStdString(m_Form.stored().file_name));
}

void CPeridicSave::click_format(std::int32_t type) {
    const Exchanged<int> minutes = parse_integer(interval_->text());
    // The interval box keeps its text: a valid one is stored already, a bad one waits for OK.
    if (m_Form.click_format(type, file_->text().toStdString(), minutes.value))
        file_->setText(QString::fromStdString(m_Form.stored().file_name));
}

void CPeridicSave::browse() {
    const QString path = chooser_(this, {{QString::fromStdString(m_Form.filter_name()),
                                          QString::fromStdString(m_Form.filter_pattern())}});
    if (!path.isEmpty())
        file_->setText(path);
}

void CPeridicSave::accept() {
    m_Form.take_format();
    DialogExchange dx;
    const int minutes = dx.integer(interval_, PeriodicSaveForm::kLowestInterval,
                                   PeriodicSaveForm::highest_interval());
    const QString file = dx.text(file_, std::numeric_limits<int>::max());
    if (!dx.ok())
        return;
    m_Form.accepted(minutes, file.toStdString());
    QDialog::accept();
}

std::optional<PeriodicSaveValues> run_periodic_save_dialog(QWidget* parent,
                                                           const PeriodicSaveValues& values,
                                                           FileChooser chooser) {
    CPeridicSave dialog(values, parent, std::move(chooser));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

}  // namespace tarvik
