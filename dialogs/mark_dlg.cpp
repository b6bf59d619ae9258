#include "mark_dlg.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>

#include "dialog_controls.h"
#include "view_events.h"

namespace tarvik {

CMarkDlg::CMarkDlg(QObject* target, std::int32_t curve, std::uint32_t saved_colour, QWidget* parent)
    : QDialog(parent), target_(target), m_Curve(curve), m_SavedColour(saved_colour) {
    setWindowTitle(QStringLiteral("Press Mark to highlight line:"));
    mark_ = named(new QPushButton(QStringLiteral("Mark")), QStringLiteral("Mark"));
    unmark_ = named(new QPushButton(QStringLiteral("Unmark")), QStringLiteral("Unmark"));
    auto* dismiss = named(new QPushButton(QStringLiteral("Dismiss")), QStringLiteral("Dismiss"));
    mark_->setDefault(true);
    unmark_->setEnabled(false);
    connect(mark_, &QPushButton::clicked, this, [this] {
        send(kHighlightColour);
        set_marked(true);
    });
    connect(unmark_, &QPushButton::clicked, this, [this] {
        send(m_SavedColour);
        set_marked(false);
    });
    connect(dismiss, &QPushButton::clicked, this, &CMarkDlg::reject);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(mark_);
    layout->addWidget(unmark_);
    layout->addWidget(dismiss);
}

void CMarkDlg::send(std::uint32_t colour) {
    MarkLineEvent event(MarkLineChange{colour, m_Curve});
    if (target_)
        QCoreApplication::sendEvent(target_, &event);
}

void CMarkDlg::set_marked(bool marked) {
    m_Marked = marked;
    mark_->setEnabled(!marked);
    unmark_->setEnabled(marked);
    // The enabled button takes the focus, so the keyboard toggles back and forth.
    (marked ? unmark_ : mark_)->setDefault(true);
    (marked ? unmark_ : mark_)->setFocus(Qt::OtherFocusReason);
}

void CMarkDlg::reject() {
    if (m_Marked) {
        send(m_SavedColour);
        m_Marked = false;
    }
    QDialog::reject();
}

}  // namespace tarvik
