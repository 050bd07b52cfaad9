#include "browserwindow.h"

#include "camerapool/ibaseinfo.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "orvikviewercomponents6.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "widgets/ipaddresswidget.h"
#include "widgets/messageboxcheckable.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>

namespace {
const QString settingsGroup = QStringLiteral("FeatureBrowser");
const QString autoReconnectKey = QStringLiteral("AutoReconnect");
constexpr int columnStateVersion = 1;
constexpr int retryIntervalMs = 3000;

QString valueOf(const QSharedPointer<ParameterCollection::IParameter>& parameter)
{
    const auto data = parameter ? parameter->getParameterData() : nullptr;
    return data ? data->valueString : QString();
}
} // namespace

BrowserWindow::BrowserWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_camera(new ParameterCollection::EmulatedCamera)
    , m_info(m_camera->info())
{
    QList<Collection> collections;
    for (const ParameterCollection::EmulatedCamera::Collection& c : m_camera->collections())
        collections << Collection{c.collection, c.rootName, c.roleName};
    setUp(collections);
}

BrowserWindow::BrowserWindow(const QList<Collection>& collections,
                             QSharedPointer<Plugin::CameraPool::IBaseInfo> info, QWidget* parent)
    : QMainWindow(parent)
    , m_info(std::move(info))
{
    setUp(collections);
}

void BrowserWindow::setUp(const QList<Collection>& collections)
{
    setWindowTitle(tr("Feature Browser - %1").arg(m_info->getFriendlyName()));
    setObjectName(QStringLiteral("BrowserWindow"));

    m_tree = new FeatureTreeWidget(QStringLiteral("FeatureBrowser"), m_info, this);
    setCentralWidget(m_tree);
    m_collections = collections;
    for (const Collection& c : collections) {
        m_tree->addParameterCollection(c.collection, c.rootName, c.roleName, true);
        connect(c.collection.data(), &ParameterCollection::IParameterCollection::connectionStateChanged, this,
                &BrowserWindow::showConnection);
    }
    m_tree->expandRootNodes();
    m_tree->treeView()->setColumnWidth(0, 300);

    m_description = new QTextBrowser(this);
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setOpenExternalLinks(true);
    auto* dock = new QDockWidget(tr("Description"), this);
    dock->setObjectName(QStringLiteral("descriptionDock"));
    dock->setWidget(m_description);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    resizeDocks({dock}, {150}, Qt::Vertical);

    m_matches = new QLabel(this);
    statusBar()->addPermanentWidget(m_matches);
    m_connection = new QLabel(this);
    m_connection->setObjectName(QStringLiteral("connection"));
    statusBar()->addPermanentWidget(m_connection);
    m_retry.setInterval(retryIntervalMs);
    connect(&m_retry, &QTimer::timeout, this, &BrowserWindow::reconnect);

    connect(m_tree, QOverload<QSharedPointer<ParameterCollection::IParameter>>::of(&FeatureTreeWidget::onCurrentChanged),
            this, &BrowserWindow::showParameter);
    connect(m_tree, &FeatureTreeWidget::onNewText, this, &BrowserWindow::showText);
    connect(m_tree, &FeatureTreeWidget::filterMatchesChanged, this, &BrowserWindow::showMatches);
    connect(m_tree, &FeatureTreeWidget::contextMenuRequested, this, &BrowserWindow::completeContextMenu);
    // The favourites are shared by every tree of the process: the host applies the choice.
    connect(m_tree, &FeatureTreeWidget::viewAllFavoritesStateChanged, m_tree, &FeatureTreeWidget::setViewAllFavorites);
    connect(GetTheGlobalAsyncErrorQueue(), &AsyncErrorQueue::displayError, this, &BrowserWindow::showError);

    buildMenus();
    showConnection();
    resize(900, 760);
}

BrowserWindow::~BrowserWindow() = default;

void BrowserWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* copy = file->addAction(tr("&Copy Tree to Clipboard"), this, &BrowserWindow::copyTree);
    copy->setShortcut(QKeySequence(tr("Ctrl+Shift+C")));
    file->addSeparator();
    file->addAction(tr("&Quit"), this, &QWidget::close, QKeySequence::Quit);

    QMenu* camera = menuBar()->addMenu(tr("&Camera"));
    camera->addAction(tr("&IP Configuration..."), this, &BrowserWindow::configureIp);
    camera->addAction(tr("&Refresh"), m_tree, &FeatureTreeWidget::Refresh);
    QAction* polling = camera->addAction(tr("&Polling"));
    polling->setCheckable(true);
    connect(polling, &QAction::toggled, m_tree, &FeatureTreeWidget::setPolling);
    connect(m_tree, &FeatureTreeWidget::pollingStateChanged, polling, &QAction::setChecked);
    camera->addSeparator();
    m_reconnect = camera->addAction(tr("Re&connect"), this, &BrowserWindow::reconnect);
    m_reconnect->setObjectName(QStringLiteral("actionReconnect"));
    m_autoReconnect = camera->addAction(tr("Reconnect &Automatically"));
    m_autoReconnect->setObjectName(QStringLiteral("actionAutoReconnect"));
    m_autoReconnect->setCheckable(true);
    m_autoReconnect->setChecked(QSettings().value(settingsGroup + QLatin1Char('/') + autoReconnectKey, true).toBool());
    connect(m_autoReconnect, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(settingsGroup + QLatin1Char('/') + autoReconnectKey, on);
        showConnection();
    });
    if (m_camera) {
        // The emulated camera plays a device's failures, to see how the tree copes.
        QMenu* simulate = camera->addMenu(tr("&Simulate"));
        simulate->addAction(tr("Camera &Gone"), this, [this] { m_camera->disconnectDevice(); });
        simulate->addAction(tr("Camera &Stalls"), this, [this] {
            m_camera->stallDevice(2500);
            m_tree->Refresh();
        });
        simulate->addAction(tr("Camera &Back"), this, [this] { m_camera->reconnectDevice(); });
        QAction* elsewhere = simulate->addAction(tr("&Controlled by Another Host"));
        elsewhere->setCheckable(true);
        connect(elsewhere, &QAction::toggled, this, [this](bool on) { m_camera->setControlledElsewhere(on); });
    }

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About"), this, &BrowserWindow::showAbout);
    help->addAction(tr("Show All &Messages Again"), [] { MessageBoxCheckable::resetAll(); });

    QToolBar* bar = addToolBar(tr("View"));
    bar->setObjectName(QStringLiteral("viewToolBar"));
    bar->addWidget(new QLabel(tr("Visibility: "), bar));
    m_levelChooser = new QComboBox(bar);
    m_levelChooser->setObjectName(QStringLiteral("levelChooser"));
    m_levelChooser->addItems({tr("Beginner"), tr("Expert"), tr("Guru"), tr("Invisible")});
    m_levelChooser->setCurrentIndex(GenApi::Guru);
    bar->addWidget(m_levelChooser);
    connect(m_levelChooser, QOverload<int>::of(&QComboBox::activated), this, &BrowserWindow::chooseVisibility);
}

void BrowserWindow::chooseVisibility(int level)
{
    if (level < GenApi::Beginner || level > GenApi::Invisible)
        return;
    m_levelChooser->setCurrentIndex(level);
    // The widget's own slot recounts the search and refilters.
    QMetaObject::invokeMethod(m_tree, "onVisibilityChanged", Q_ARG(int, level));
}

bool BrowserWindow::selectFeature(const QString& fullName)
{
    FeatureTreeView* view = m_tree->treeView();
    auto* ext = dynamic_cast<IFeatureTreeModelExtension*>(view->model());
    const QModelIndex index = ext ? ext->findItemByFullName(fullName, nullptr, 0) : QModelIndex();
    if (!index.isValid())
        return false;
    // The tree reports the current feature only while the search field is not being typed in.
    view->setFocus();
    view->setCurrentIndex(index);
    view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

void BrowserWindow::showParameter(QSharedPointer<ParameterCollection::IParameter> parameter)
{
    if (!parameter)
        return;
    const auto properties = parameter->getProperties();
    const QString display = properties ? properties->getProperty(QStringLiteral("DisplayName")) : parameter->getName();
    const QString description = properties ? properties->getProperty(QStringLiteral("Description")) : QString();
    const QString tooltip = properties ? properties->getProperty(QStringLiteral("Tooltip")) : QString();
    const QString docu = properties ? properties->getProperty(QStringLiteral("DocuURL")) : QString();
    QString html = QStringLiteral("<h3>%1</h3><p><code>%2</code></p>")
                       .arg(display.toHtmlEscaped(), parameter->getFullName().toHtmlEscaped());
    if (!tooltip.isEmpty())
        html += QStringLiteral("<p><i>%1</i></p>").arg(tooltip.toHtmlEscaped());
    if (!description.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(description.toHtmlEscaped());
    if (!docu.isEmpty())
        html += QStringLiteral("<p><a href=\"%1\">%2</a></p>").arg(docu.toHtmlEscaped(), tr("Documentation"));
    m_description->setHtml(html);
}

void BrowserWindow::showText(const QString& text)
{
    m_description->setHtml(text);
}

void BrowserWindow::showMatches(int total, int higherLevelOnly)
{
    if (total == 0 && higherLevelOnly == 0 && m_tree->treeView()->getHightlighter()->searchText.isEmpty())
        m_matches->clear();
    else
        m_matches->setText(tr("%n match(es), %1 only at a higher level", nullptr, total).arg(higherLevelOnly));
}

void BrowserWindow::completeContextMenu(const QPoint& point, QSharedPointer<QMenu> menu)
{
    const QSharedPointer<ParameterCollection::IParameter> parameter = m_tree->GetCurrentNode();
    if (parameter) {
        menu->addSeparator();
        menu->addAction(tr("Copy Value"), this,
                        [parameter] { QApplication::clipboard()->setText(valueOf(parameter)); });
        menu->addAction(tr("Copy Name"), this,
                        [parameter] { QApplication::clipboard()->setText(parameter->getName()); });
    }
    menu->exec(m_tree->mapToGlobal(point));
}

void BrowserWindow::showError(AsyncErrorQueue::ErrorSeverity severity, const QString& message,
                              const QString& details, QWidget* widget)
{
    Q_UNUSED(widget)
    const QMessageBox::Icon icon = severity == AsyncErrorQueue::Warning ? QMessageBox::Warning
                                                                        : QMessageBox::Critical;
    // Reports are remembered by their text: "Don't show this dialog again" silences that report only.
    MessageBoxCheckable box(QStringLiteral("FeatureBrowser/") + message, icon, windowTitle(), message,
                            QMessageBox::Ok, this);
    box.setDetailedText(details);
    box.setSaveResultOnButton(QMessageBox::Ok);
    box.exec();
}

void BrowserWindow::configureIp()
{
    // Only the emulated camera has a transport layer collection here.
    const QSharedPointer<ParameterCollection::MemoryParameterCollection> transport =
        m_camera ? m_camera->collection(QStringLiteral("@DeviceTransportLayer")) : nullptr;
    const auto address = transport ? transport->getParameter(QStringLiteral("GevPersistentIPAddress")) : nullptr;
    const auto mask = transport ? transport->getParameter(QStringLiteral("GevPersistentSubnetMask")) : nullptr;
    const auto gateway = transport ? transport->getParameter(QStringLiteral("GevPersistentDefaultGateway")) : nullptr;
    if (!address || !mask || !gateway) {
        QMessageBox::warning(this, tr("IP Configuration"),
                             tr("The transport layer has no persistent IP settings."));
        return;
    }
    IpAddressWidget dialog(this);
    dialog.setHeaderText(tr("Persistent IP configuration of %1").arg(m_info->getFriendlyName()));
    dialog.setIpAddress(valueOf(address));
    dialog.setSubnetMask(valueOf(mask));
    dialog.setDefaultGateway(valueOf(gateway));
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        address->setValue(dialog.ipAddress());
        mask->setValue(dialog.subnetMask());
        gateway->setValue(dialog.defaultGateway());
        statusBar()->showMessage(tr("Persistent IP configuration written."), 5000);
    } catch (const std::exception& e) {
        QMessageBox::warning(this, tr("IP Configuration"),
                             tr("The IP configuration could not be written:\n%1").arg(QString::fromUtf8(e.what())));
    }
}

void BrowserWindow::showConnection()
{
    using State = ParameterCollection::IParameterCollection::ConnectionState;
    State state = State::Connected;
    for (const Collection& c : qAsConst(m_collections)) {
        const State s = c.collection ? c.collection->connectionState() : State::Connected;
        if (s == State::Lost || (s == State::ReadOnly && state == State::Connected))
            state = s;
    }
    switch (state) {
    case State::Connected:
        m_connection->setText(tr("Connected"));
        break;
    case State::ReadOnly:
        m_connection->setText(tr("Connected, read only: another host controls the camera"));
        break;
    case State::Lost:
        m_connection->setText(m_autoReconnect->isChecked() ? tr("Disconnected, reconnecting...")
                                                           : tr("Disconnected"));
        break;
    }
    m_reconnect->setEnabled(state == State::Lost);
    if (state == State::Lost && m_autoReconnect->isChecked())
        m_retry.start();
    else
        m_retry.stop();
}

void BrowserWindow::reconnect()
{
    for (const Collection& c : qAsConst(m_collections)) {
        if (c.collection && c.collection->connectionState() == ParameterCollection::IParameterCollection::ConnectionState::Lost)
            c.collection->reconnect();
    }
}

void BrowserWindow::copyTree()
{
    m_tree->copyToClipboard();
    statusBar()->showMessage(tr("The feature tree was copied to the clipboard."), 5000);
}

void BrowserWindow::showAbout()
{
    QMessageBox::about(this, tr("About Feature Browser"),
                       tr("<h3>Feature Browser</h3><p>OrvikViewerComponents6 %1</p>"
                          "<p>Browses and edits the features of the built-in emulated camera.</p>")
                           .arg(QString::fromLatin1(OrvikViewerComponents6::version())));
}

void BrowserWindow::restoreSettings()
{
    QSettings settings;
    settings.beginGroup(settingsGroup);
    restoreGeometry(settings.value(QStringLiteral("Geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("WindowState")).toByteArray());
    m_tree->restoreState(settings.value(QStringLiteral("Columns")).toByteArray(), columnStateVersion);
    const int level = settings.value(QStringLiteral("Visibility"), int(GenApi::Guru)).toInt();
    settings.endGroup();
    chooseVisibility(level);
}

void BrowserWindow::saveSettings()
{
    QSettings settings;
    settings.beginGroup(settingsGroup);
    settings.setValue(QStringLiteral("Geometry"), saveGeometry());
    settings.setValue(QStringLiteral("WindowState"), saveState());
    settings.setValue(QStringLiteral("Columns"), m_tree->saveState(columnStateVersion));
    settings.setValue(QStringLiteral("Visibility"), int(m_tree->visibility()));
    settings.endGroup();
}

void BrowserWindow::closeEvent(QCloseEvent* event)
{
    saveSettings();
    event->accept();
}
