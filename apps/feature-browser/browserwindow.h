#pragma once

#include "browsercamera.h"
#include "settingsfile.h"
#include "widgets/asyncerrorqueue.h"

#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QSharedPointer>
#include <QTimer>

#include <functional>
#include <memory>

class CameraOpener;
class FeatureTreeWidget;
class QComboBox;
class QLabel;
class QTextBrowser;

namespace ParameterCollection {
class IParameter;
class IParameterCollection;
} // namespace ParameterCollection

/// The feature browser's main window: the feature tree of one camera (the
/// emulated camera's four collections, a camera through Aravis or a GenICam
/// file), a description pane for the current feature, a visibility chooser,
/// the search result count, and the host's menus: opening cameras and files,
/// saving and loading settings, IP configuration, reconnection. Deletes
/// itself when closed; opening another camera opens another window.
class BrowserWindow : public QMainWindow
{
    Q_OBJECT
public:
    using Collection = BrowserCamera::Collection;

    explicit BrowserWindow(std::unique_ptr<BrowserCamera> camera, QWidget* parent = nullptr);
    ~BrowserWindow() override;

    FeatureTreeWidget* featureTree() const { return m_tree; }
    BrowserCamera& camera() const { return *m_camera; }
    /// Applies a level as if the user chose it (0 Beginner .. 3 Invisible).
    void chooseVisibility(int level);
    /// Makes the feature of that full name current and scrolls to it.
    bool selectFeature(const QString& fullName);
    /// Restores geometry, column widths and level from the settings.
    void restoreSettings();
    /// Opens `source` (an Aravis id or address, or a file with `isFile`) away
    /// from the GUI thread; once it is there, shows it in a new window and
    /// closes this one, which shows its own camera meanwhile. A second open
    /// abandons the first.
    void open(const QString& source, bool isFile);
    /// True while an open runs.
    bool isOpening() const { return m_opener != nullptr; }
    /// What the About box says: the program, and what is open.
    QString aboutText() const;
    /// Writes the GenICam XML as the device sent it; answers why it failed, or nothing.
    QString writeDeviceXml(const QString& path) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private Q_SLOTS:
    void showParameter(QSharedPointer<ParameterCollection::IParameter> parameter);
    void showText(const QString& text);
    void showMatches(int total, int higherLevelOnly);
    void completeContextMenu(const QPoint& point, QSharedPointer<QMenu> menu);
    void showError(AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details,
                   QWidget* widget);
    void openCamera();
    void openGenICamFile();
    void saveSettingsFile();
    void loadSettingsFile();
    void saveDeviceXml();
    void configureIp();
    void copyTree();
    void showAbout();
    /// Shows the camera's connection in the status bar and retries a lost one.
    void showConnection();
    void reconnect();

private:
    class ModalScope;
    void setUp();
    /// A warning box over this window.
    void warn(const QString& title, const QString& text);
    void buildMenus();
    void fillRecentMenu();
    void saveSettings();
    /// Shows what the opener opened, in a new window, or why it failed.
    void showOpened(CameraOpener* opener, const QString& error);
    /// Runs `work` away from the GUI thread (it may wait on the device), then
    /// `done` here; the settings actions are off meanwhile.
    void runInBackground(std::function<void()> work, std::function<void()> done);
    /// Puts the settings back and shows the report.
    void putBack(const SettingsFile& file, const QString& title);
    /// Remembers the values in effect now, to offer them back after a loss.
    void rememberSettings();

    std::unique_ptr<BrowserCamera> m_camera;
    int m_modalLoops = 0; // modal loops running over this window (ModalScope)
    bool m_deleteAfterModal = false;
    FeatureTreeWidget* m_tree = nullptr; // Owned by the window.
    QTextBrowser* m_description = nullptr; // Owned by the window.
    QComboBox* m_levelChooser = nullptr; // Owned by the window.
    QLabel* m_matches = nullptr; // Owned by the status bar.
    QLabel* m_connection = nullptr; // Owned by the status bar.
    QAction* m_reconnect = nullptr; // Owned by the window.
    QAction* m_autoReconnect = nullptr; // Owned by the window.
    QMenu* m_recent = nullptr; // Owned by the menu bar.
    QList<QAction*> m_settingsActions; // Owned by the window; off while a load runs.
    CameraOpener* m_opener = nullptr; // Owned by the window; while a camera is being opened.
    QTimer m_retry; // while the camera is lost and automatic reconnection is on
    QTimer m_remember; // while the camera is connected
    QSharedPointer<SettingsFile> m_beforeLoss; // the values last seen while connected
    int m_busy = 0; // settings work running, each with a busy cursor
    bool m_wasLost = false;
    bool m_columnsRestored = false;
    bool m_shown = false;
};
