// The main window: plot windows in a multi-document area, the menus and accelerators, the
// recent-file list and a status bar for the active plot. Menu states are refreshed from the
// active plot before a menu shows and whenever another plot becomes active. Its caption is set
// once and stays; closing it asks every plot's close question first.
#pragma once

#include <QMainWindow>
#include <QString>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace tarvik {

class CChildFrame;
class CTarvikView;

class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    CMainFrame();
    ~CMainFrame() override;

    QMdiArea& mdi_area() { return *mdi_; }
    CTarvikView* active_view() const;
    std::vector<CChildFrame*> plot_windows() const;

    // The new-document command: builds a plot from the pending start-up request (or through
    // the new-plot dialog) and shows it maximised. Null when the plot was abandoned; no window
    // is left behind then.
    CChildFrame* open_new_plot();
    // Opens a configuration file as a new plot and remembers it among the recent files.
    CChildFrame* open_configuration(const QString& file);

    // Saves the active plot's configuration to file (an error box on failure) and puts the
    // file into the recent-file list. False when nothing was saved.
    bool save_configuration_to(const QString& file);

    // The fixed caption: set once, never replaced by a plot's title.
    void set_caption(const QString& caption);

    // Asks each plot's close question in turn; true when every one was answered Yes. A No
    // stops there and keeps every plot.
    bool confirm_close_plots();

  public slots:
    void update_menus();
    void update_status();

  protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    QString shown_caption() const;
    void create_actions();
    void create_menus();
    void create_status_bar();
    void update_recent_menu();
    void open_file();           // Ctrl+O
    void save_configuration();  // Ctrl+S
    void about();

    QMdiArea* mdi_;
    QLabel* status_;
    QString caption_;

    QMenu* file_menu_ = nullptr;
    QMenu* recent_menu_ = nullptr;
    std::vector<QMenu*> plot_menus_;      // shown only while a plot is active
    std::vector<QAction*> plot_actions_;  // enabled only while a plot is active
    QAction* new_action_ = nullptr;
    QAction* open_action_ = nullptr;
    QAction* save_configuration_action_ = nullptr;
    QAction* grid_action_ = nullptr;
    QAction* legend_action_ = nullptr;
    QAction* follow_data_action_ = nullptr;
    QAction* start_saving_action_ = nullptr;
    QAction* stop_saving_action_ = nullptr;
};

}  // namespace tarvik
