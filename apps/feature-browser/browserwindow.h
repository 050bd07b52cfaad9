#pragma once

#include "genicam/genapienums.h"
#include "parametercollection/emulatedcamera.h"
#include "widgets/asyncerrorqueue.h"

#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QSharedPointer>
#include <QTimer>

#include <memory>

class FeatureTreeWidget;
class QComboBox;
class QLabel;
class QTextBrowser;

namespace ParameterCollection {
class IParameter;
class IParameterCollection;
} // namespace ParameterCollection
namespace Plugin {
namespace CameraPool {
class IBaseInfo;
}
} // namespace Plugin

/// The feature browser's main window: the feature tree of a camera (the
/// emulated camera's four collections, or one collection opened otherwise),
/// a description pane for the current feature, a visibility chooser, the
/// search result count, and the host's own menu entries.
class BrowserWindow : public QMainWindow
{
    Q_OBJECT
public:
    /// One collection as the tree shows it.
    struct Collection
    {
        QSharedPointer<ParameterCollection::IParameterCollection> collection;
        QString rootName;
        QString roleName;
    };

    /// Shows the built-in emulated camera.
    explicit BrowserWindow(QWidget* parent = nullptr);
    /// Shows the collections of another camera, described by `info`.
    BrowserWindow(const QList<Collection>& collections, QSharedPointer<Plugin::CameraPool::IBaseInfo> info,
                  QWidget* parent = nullptr);
    ~BrowserWindow() override;

    FeatureTreeWidget* featureTree() const { return m_tree; }
    /// Applies a level as if the user chose it (0 Beginner .. 3 Invisible).
    void chooseVisibility(int level);
    /// Makes the feature of that full name current and scrolls to it.
    bool selectFeature(const QString& fullName);
    /// Restores geometry, column widths and level from the settings.
    void restoreSettings();

protected:
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void showParameter(QSharedPointer<ParameterCollection::IParameter> parameter);
    void showText(const QString& text);
    void showMatches(int total, int higherLevelOnly);
    void completeContextMenu(const QPoint& point, QSharedPointer<QMenu> menu);
    void showError(AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details,
                   QWidget* widget);
    void configureIp();
    void copyTree();
    void showAbout();
    /// Shows the camera's connection in the status bar and retries a lost one.
    void showConnection();
    void reconnect();

private:
    void setUp(const QList<Collection>& collections);
    void buildMenus();
    void saveSettings();

    std::unique_ptr<ParameterCollection::EmulatedCamera> m_camera; // Null for other cameras.
    QSharedPointer<Plugin::CameraPool::IBaseInfo> m_info;
    FeatureTreeWidget* m_tree = nullptr;      // Owned by the window.
    QTextBrowser* m_description = nullptr;    // Owned by the window.
    QComboBox* m_levelChooser = nullptr;      // Owned by the window.
    QLabel* m_matches = nullptr;              // Owned by the status bar.
    QLabel* m_connection = nullptr;           // Owned by the status bar.
    QAction* m_reconnect = nullptr;           // Owned by the window.
    QAction* m_autoReconnect = nullptr;       // Owned by the window.
    QList<Collection> m_collections;
    QTimer m_retry; // while the camera is lost and automatic reconnection is on
};
