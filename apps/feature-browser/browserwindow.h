#pragma once

#include "genicam/genapienums.h"
#include "parametercollection/emulatedcamera.h"
#include "widgets/asyncerrorqueue.h"

#include <QMainWindow>
#include <QMenu>
#include <QSharedPointer>

class FeatureTreeWidget;
class QComboBox;
class QLabel;
class QTextBrowser;

namespace ParameterCollection {
class IParameter;
}

/// The feature browser's main window: the feature tree of the emulated
/// camera, a description pane for the current feature, a visibility chooser,
/// the search result count, and the host's own menu entries.
class BrowserWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit BrowserWindow(QWidget* parent = nullptr);
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

private:
    void buildMenus();
    void saveSettings();

    ParameterCollection::EmulatedCamera m_camera;
    FeatureTreeWidget* m_tree = nullptr;      // Owned by the window.
    QTextBrowser* m_description = nullptr;    // Owned by the window.
    QComboBox* m_levelChooser = nullptr;      // Owned by the window.
    QLabel* m_matches = nullptr;              // Owned by the status bar.
};
