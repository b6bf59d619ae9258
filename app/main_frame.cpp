#include "main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <memory>

#include "about_box.h"
#include "app_settings.h"
#include "child_frame.h"
#include "file_choice.h"
#include "load_configuration.h"
#include "prompt.h"
#include "startup_request.h"
#include "status_text.h"
#include "tarvik_doc.h"
#include "tarvik_view.h"

namespace tarvik {

namespace {

using ViewCommand = void (CTarvikView::*)();

}  // namespace

CMainFrame::CMainFrame() : mdi_(new QMdiArea(this)), status_(new QLabel(this)) {
    setCentralWidget(mdi_);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    create_actions();
    create_menus();
    create_status_bar();
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::update_menus);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::update_status);
    update_menus();
    // A comfortable size that still fits the screen.
    const QSize room = screen() ? screen()->availableGeometry().size() : QSize(1024, 768);
    resize(std::min(1024, room.width()), std::min(768, room.height()));
}

CMainFrame::~CMainFrame() {
    // Closing plot windows while the frame goes away must not refresh menus already gone.
    disconnect(mdi_, nullptr, this, nullptr);
}

void CMainFrame::set_caption(const QString& caption) {
    caption_ = caption;
    setWindowTitle(shown_caption());
}

// A window title shows one line: the caption's closing line break stays in the text only.
QString CMainFrame::shown_caption() const {
    QString shown = caption_;
    while (shown.endsWith('\n'))
        shown.chop(1);
    return shown;
}

// A maximised plot window appends " - [its title]" to the main window's title, and renews it
// whenever the plot's title changes; the caption is put back at once.
bool CMainFrame::event(QEvent* e) {
    const bool done = QMainWindow::event(e);
    if (e->type() == QEvent::WindowTitleChange && !caption_.isEmpty() &&
        windowTitle() != shown_caption())
        setWindowTitle(shown_caption());
    return done;
}

bool CMainFrame::confirm_close_plots() {
    for (CChildFrame* frame : plot_windows()) {
        mdi_->setActiveSubWindow(frame);  // the plot the question names is the one in front
        if (!frame->document().confirm_close())
            return false;
    }
    return true;
}

// Exit and closing the main window end every plot, once each has been allowed to close.
void CMainFrame::closeEvent(QCloseEvent* e) {
    if (!confirm_close_plots()) {
        e->ignore();
        return;
    }
    for (CChildFrame* frame : plot_windows())
        frame->close_confirmed();
    QMainWindow::closeEvent(e);
}

CTarvikView* CMainFrame::active_view() const {
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (!active) {
        // While a dialog has the focus the area has no active window; take the top one.
        const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::StackingOrder);
        if (windows.isEmpty())
            return nullptr;
        active = windows.last();
    }
    auto* frame = qobject_cast<CChildFrame*>(active);
    return frame ? &frame->view() : nullptr;
}

std::vector<CChildFrame*> CMainFrame::plot_windows() const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            frames.push_back(frame);
    }
    return frames;
}

CChildFrame* CMainFrame::open_new_plot() {
    auto doc = std::make_unique<CTarvikDoc>();
    auto view = std::make_unique<CTarvikView>();
    view->state().m_FollowData = follow_data_for_new_plots();
    view->attach(*doc);
    connect(view.get(), &CTarvikView::plot_changed, this, &CMainFrame::update_status);
    if (!doc->OnNewDocument())
        return nullptr;
    auto* frame = new CChildFrame(std::move(doc), view.release());
    mdi_->addSubWindow(frame);
    frame->showMaximized();
    update_menus();
    update_status();
    return frame;
}

CChildFrame* CMainFrame::open_configuration(const QString& file) {
    StartupRequest& request = StartupRequest::instance();
    request.configuration_pending = true;
    request.configuration_file = file.toStdString();
    CChildFrame* frame = open_new_plot();
    request.configuration_pending = false;
    if (frame)
        add_recent_file(file);
    update_recent_menu();
    return frame;
}

void CMainFrame::open_file() {
    const QString file = QFileDialog::getOpenFileName(this, tr("Open"), QString(),
                                                      tr("XML files (*.xml);;All files (*)"));
    if (!file.isEmpty())
        open_configuration(file);
}

void CMainFrame::save_configuration() {
    if (!active_view())
        return;
    const std::optional<SaveChoice> choice = choose_file_to_save(
        this, tr("Save configuration"), {{QStringLiteral("XML files"), QStringLiteral("*.xml")}});
    if (choice)
        save_configuration_to(choice->path);
}

bool CMainFrame::save_configuration_to(const QString& file) {
    CTarvikView* view = active_view();
    if (!view || !view->document())
        return false;
    QMdiSubWindow* window = mdi_->activeSubWindow();
    const bool maximized = window ? window->isMaximized() : false;
    if (!SaveConfiguration(*view->document(), view->state(), maximized, file.toStdString()))
        return false;
    add_recent_file(file);
    update_recent_menu();
    return true;
}

void CMainFrame::about() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::create_actions() {
    new_action_ = new QAction(tr("&New"), this);
    new_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(new_action_, &QAction::triggered, this, [this] { open_new_plot(); });

    // Ctrl+O has no menu entry; it opens a saved plot.
    open_action_ = new QAction(tr("&Open..."), this);
    open_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open_action_, &QAction::triggered, this, &CMainFrame::open_file);
    addAction(open_action_);
}

void CMainFrame::create_menus() {
    QMenuBar* bar = menuBar();
    // Adds an action that runs a command of the active plot.
    auto view_action = [this](QMenu* menu, const QString& text, ViewCommand command) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, command] {
            if (CTarvikView* view = active_view())
                (view->*command)();
        });
        plot_actions_.push_back(action);
        return action;
    };

    file_menu_ = bar->addMenu(tr("&File"));
    file_menu_->addAction(new_action_);
    save_configuration_action_ =
        file_menu_->addAction(tr("&Save configuration..."), this, &CMainFrame::save_configuration);
    save_configuration_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    plot_actions_.push_back(save_configuration_action_);
    view_action(file_menu_, tr("Save &As..."), &CTarvikView::save_as);
    QAction* print = view_action(file_menu_, tr("&Print..."), &CTarvikView::print);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file_menu_->addAction(tr("P&rint Setup..."), this, [this] { CTarvikView::print_setup(this); });
    file_menu_->addSeparator();
    recent_menu_ = file_menu_->addMenu(tr("Recent &Files"));
    file_menu_->addSeparator();
    file_menu_->addAction(tr("E&xit"), this, &QWidget::close);
    update_recent_menu();

    QMenu* timer = bar->addMenu(tr("&Timer"));
    view_action(timer, tr("&Set..."), &CTarvikView::set_timer_settings);

    QMenu* plot = bar->addMenu(tr("&Plot"));
    QMenu* range = plot->addMenu(tr("&Range"));
    view_action(range, tr("x-range..."), &CTarvikView::edit_x_range);
    view_action(range, tr("y-range..."), &CTarvikView::edit_y_range);
    view_action(plot, tr("&Ticks..."), &CTarvikView::edit_ticks);
    grid_action_ = view_action(plot, tr("Grid"), &CTarvikView::toggle_grid);
    grid_action_->setCheckable(true);
    legend_action_ = view_action(plot, tr("Le&gend"), &CTarvikView::toggle_legend);
    legend_action_->setCheckable(true);
    follow_data_action_ = view_action(plot, tr("F&ollow data"), &CTarvikView::toggle_follow_data);
    follow_data_action_->setCheckable(true);
    // The choice is remembered for the plots opened after it.
    connect(follow_data_action_, &QAction::triggered, this, [this] {
        if (CTarvikView* view = active_view())
            set_follow_data_for_new_plots(view->state().m_FollowData);
    });
    view_action(plot, tr("&Curve list..."), &CTarvikView::show_curve_list);
    view_action(plot, tr("&Plot Title..."), &CTarvikView::edit_plot_title);
    view_action(plot, tr("&Lables..."), &CTarvikView::edit_labels);
    view_action(plot, tr("C&urve Title..."), &CTarvikView::edit_curve_title);
    view_action(plot, tr("&Font..."), &CTarvikView::choose_font);
    plot->addSeparator();
    view_action(plot, tr("File update..."), &CTarvikView::edit_file_update);
    view_action(plot, tr("&Add File..."), &CTarvikView::add_file);
    view_action(plot, tr("&Remove File..."), &CTarvikView::remove_file);
    view_action(plot, tr("&History..."), &CTarvikView::set_history_size);

    QMenu* saving = bar->addMenu(tr("&Saving"));
    view_action(saving, tr("&Settings..."), &CTarvikView::periodic_saving_settings);
    start_saving_action_ = view_action(saving, tr("S&tart"), &CTarvikView::start_periodic_saving);
    stop_saving_action_ = view_action(saving, tr("Sto&p"), &CTarvikView::stop_periodic_saving);

    plot_menus_ = {timer, plot, saving};

    QMenu* help = bar->addMenu(tr("&Help"));
    help->addAction(tr("&About Tarvik..."), this, &CMainFrame::about);

    for (QMenu* menu : {file_menu_, timer, plot, range, saving})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::update_menus);
}

void CMainFrame::create_status_bar() {
    statusBar()->addWidget(status_, 1);
}

void CMainFrame::update_recent_menu() {
    recent_menu_->clear();
    const QStringList files = recent_files();
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files[i];
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName());
        QAction* action = recent_menu_->addAction(text);
        action->setToolTip(file);
        connect(action, &QAction::triggered, this, [this, file] {
            if (!QFileInfo::exists(file))
                remove_recent_file(file);
            open_configuration(file);
        });
    }
    recent_menu_->setEnabled(!files.isEmpty());
}

void CMainFrame::update_menus() {
    CTarvikView* view = active_view();
    const bool plot = view != nullptr;
    for (QMenu* menu : plot_menus_)
        menu->menuAction()->setVisible(plot);
    for (QAction* action : plot_actions_)
        action->setEnabled(plot);
    if (!plot)
        return;
    const PlotViewState& state = view->state();
    grid_action_->setChecked(state.m_Grid);
    legend_action_->setChecked(state.m_Legend);
    follow_data_action_->setChecked(state.m_FollowData);
    start_saving_action_->setEnabled(!state.m_SaveActive);
    stop_saving_action_->setEnabled(state.m_SaveActive);
}

void CMainFrame::update_status() {
    CTarvikView* view = active_view();
    if (!view || !view->document()) {
        status_->clear();
        status_->setToolTip(QString());
        return;
    }
    status_->setText(
        QString::fromStdString(status_text(*view->document(), view->state(), view->last_update())));
    status_->setToolTip(QString::fromStdString(notices_tooltip(*view->document())));
}

}  // namespace tarvik
