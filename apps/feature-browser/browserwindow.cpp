#include "browserwindow.h"

#include "backgroundwork.h"
#include "cameraopener.h"
#include "camerapool/ibaseinfo.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "featurewalk.h"
#include "opencameradialog.h"
#include "orvikviewercomponents6.h"
#include "parametercollection/emulatedcamera.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "widgets/exceptionguard_p.h"
#include "widgets/ipaddresswidget.h"
#include "widgets/messageboxcheckable.h"

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>

namespace {
const QString settingsGroup = QStringLiteral("FeatureBrowser");
const QString autoReconnectKey = QStringLiteral("AutoReconnect");
const QString recentCamerasKey = QStringLiteral("RecentCameras");
const QString recentFilesKey = QStringLiteral("RecentFiles");
constexpr int columnStateVersion = 1;
constexpr int retryIntervalMs = 3000;
constexpr int rememberIntervalMs = 10000;
constexpr int recentCount = 8;

QString key(const QString& name)
{
    return settingsGroup + QLatin1Char('/') + name;
}

QString valueOf(const QSharedPointer<ParameterCollection::IParameter>& parameter)
{
    const auto data = parameter ? parameter->getParameterData() : nullptr;
    return data ? data->valueString : QString();
}

void addRecent(const QString& listKey, const QString& entry)
{
    QSettings settings;
    QStringList list = settings.value(key(listKey)).toStringList();
    list.removeAll(entry);
    list.prepend(entry);
    settings.setValue(key(listKey), QStringList(list.mid(0, recentCount)));
}

const char* const settingsFilter = QT_TRANSLATE_NOOP("BrowserWindow", "Settings (*.json);;All files (*)");
} // namespace

/// Marks a modal loop that this window runs (a dialog's exec(), a static
/// QMessageBox or QFileDialog function): while one runs, the window's
/// deletion waits for it (see event()).
class BrowserWindow::ModalScope
{
public:
    explicit ModalScope(BrowserWindow* window)
        : m_window(window)
    {
        ++m_window->m_modalLoops;
    }
    ~ModalScope()
    {
        if (--m_window->m_modalLoops == 0 && m_window->m_deleteAfterModal)
            m_window->deleteLater();
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    BrowserWindow* m_window;
};

BrowserWindow::BrowserWindow(std::unique_ptr<BrowserCamera> camera, QWidget* parent)
    : QMainWindow(parent)
    , m_camera(std::move(camera))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setUp();
}

BrowserWindow::~BrowserWindow()
{
    // Settings work still running ends without this window: its cursor goes now.
    for (; m_busy > 0; --m_busy)
        QApplication::restoreOverrideCursor();
}

void BrowserWindow::setUp()
{
    setWindowTitle(tr("Feature Browser - %1").arg(m_camera->info()->getFriendlyName()));
    setObjectName(QStringLiteral("BrowserWindow"));

    m_tree = new FeatureTreeWidget(QStringLiteral("FeatureBrowser"), m_camera->info(), this);
    setCentralWidget(m_tree);
    for (const Collection& c : m_camera->collections()) {
        m_tree->addParameterCollection(c.collection, c.rootName, c.roleName, true);
        connect(c.collection.data(), &ParameterCollection::IParameterCollection::connectionStateChanged, this,
                &BrowserWindow::showConnection);
    }
    m_tree->expandRootNodes();

    m_description = new QTextBrowser(this);
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setOpenExternalLinks(true);
    auto* dock = new QDockWidget(tr("Description"), this);
    dock->setObjectName(QStringLiteral("descriptionDock"));
    dock->setWidget(m_description);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    resizeDocks({ dock }, { 150 }, Qt::Vertical);

    m_matches = new QLabel(this);
    statusBar()->addPermanentWidget(m_matches);
    m_connection = new QLabel(this);
    m_connection->setObjectName(QStringLiteral("connection"));
    statusBar()->addPermanentWidget(m_connection);
    m_retry.setInterval(retryIntervalMs);
    connect(&m_retry, &QTimer::timeout, this, &BrowserWindow::reconnect);
    m_remember.setInterval(rememberIntervalMs);
    connect(&m_remember, &QTimer::timeout, this, &BrowserWindow::rememberSettings);

    connect(m_tree,
            QOverload<QSharedPointer<ParameterCollection::IParameter>>::of(&FeatureTreeWidget::onCurrentChanged), this,
            &BrowserWindow::showParameter);
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

void BrowserWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open Camera..."), this, &BrowserWindow::openCamera, QKeySequence::Open)
        ->setEnabled(BrowserCamera::haveAravis());
    file->addAction(tr("Open &GenICam File..."), this, &BrowserWindow::openGenICamFile)
        ->setEnabled(BrowserCamera::haveAravis());
    m_recent = file->addMenu(tr("&Recent"));
    m_recent->setObjectName(QStringLiteral("recentMenu"));
    connect(m_recent, &QMenu::aboutToShow, this, &BrowserWindow::fillRecentMenu);
    file->addSeparator();
    QAction* save = file->addAction(tr("&Save Settings..."), this, &BrowserWindow::saveSettingsFile);
    save->setObjectName(QStringLiteral("actionSaveSettings"));
    QAction* load = file->addAction(tr("&Load Settings..."), this, &BrowserWindow::loadSettingsFile);
    load->setObjectName(QStringLiteral("actionLoadSettings"));
    m_settingsActions << save << load;
    file->addAction(tr("Save Device &XML..."), this, &BrowserWindow::saveDeviceXml)
        ->setEnabled(!m_camera->deviceXml().isEmpty());
    file->addSeparator();
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
    m_autoReconnect->setChecked(QSettings().value(key(autoReconnectKey), true).toBool());
    connect(m_autoReconnect, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(key(autoReconnectKey), on);
        showConnection();
    });
    if (ParameterCollection::EmulatedCamera* emulated = m_camera->emulated()) {
        // The emulated camera plays a device's failures, to see how the tree copes.
        QMenu* simulate = camera->addMenu(tr("&Simulate"));
        simulate->addAction(tr("Camera &Gone"), this, [emulated] { emulated->disconnectDevice(); });
        simulate->addAction(tr("Camera &Stalls"), this, [this, emulated] {
            emulated->stallDevice(2500);
            m_tree->Refresh();
        });
        simulate->addAction(tr("Camera &Back"), this, [emulated] { emulated->reconnectDevice(); });
        QAction* elsewhere = simulate->addAction(tr("&Controlled by Another Host"));
        elsewhere->setCheckable(true);
        connect(elsewhere, &QAction::toggled, this, [emulated](bool on) { emulated->setControlledElsewhere(on); });
    }

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About"), this, &BrowserWindow::showAbout);
    help->addAction(tr("Show All &Messages Again"), [] { MessageBoxCheckable::resetAll(); });

    QToolBar* bar = addToolBar(tr("View"));
    bar->setObjectName(QStringLiteral("viewToolBar"));
    bar->addWidget(new QLabel(tr("Visibility: "), bar));
    m_levelChooser = new QComboBox(bar);
    m_levelChooser->setObjectName(QStringLiteral("levelChooser"));
    m_levelChooser->addItems({ tr("Beginner"), tr("Expert"), tr("Guru"), tr("Invisible") });
    m_levelChooser->setCurrentIndex(GenApi::Guru);
    bar->addWidget(m_levelChooser);
    connect(m_levelChooser, QOverload<int>::of(&QComboBox::activated), this, &BrowserWindow::chooseVisibility);
}

void BrowserWindow::fillRecentMenu()
{
    m_recent->clear();
    const QSettings settings;
    for (const QString& id : settings.value(key(recentCamerasKey)).toStringList())
        m_recent->addAction(tr("Camera %1").arg(id), this, [this, id] { open(id, false); });
    m_recent->addSeparator();
    for (const QString& path : settings.value(key(recentFilesKey)).toStringList())
        m_recent->addAction(QFileInfo(path).fileName(), this, [this, path] { open(path, true); })->setToolTip(path);
    if (m_recent->actions().size() <= 1)
        m_recent->addAction(tr("(none)"))->setEnabled(false);
    for (QAction* action : m_recent->actions())
        action->setEnabled(action->isEnabled() && BrowserCamera::haveAravis());
}

void BrowserWindow::openCamera()
{
    OpenCameraDialog dialog(this);
    const ModalScope modal(this);
    if (dialog.exec() == QDialog::Accepted && !dialog.deviceId().isEmpty())
        open(dialog.deviceId(), false);
}

void BrowserWindow::openGenICamFile()
{
    const ModalScope modal(this);
    const QString path = QFileDialog::getOpenFileName(this, tr("Open GenICam File"), QString(),
                                                      tr("GenICam files (*.xml *.zip);;All files (*)"));
    if (!path.isEmpty())
        open(path, true);
}

void BrowserWindow::open(const QString& source, bool isFile)
{
    delete m_opener; // abandons an open still running
    m_opener = new CameraOpener(source, isFile, this);
    CameraOpener* const opener = m_opener;
    connect(opener, &CameraOpener::opened, this, [this, opener] { showOpened(opener, QString()); });
    connect(opener, &CameraOpener::failed, this, [this, opener](const QString& error) { showOpened(opener, error); });
    statusBar()->showMessage(isFile ? tr("Opening the GenICam file %1...").arg(source)
                                    : tr("Opening the camera %1...").arg(source));
}

void BrowserWindow::showOpened(CameraOpener* opener, const QString& error)
{
    m_opener = nullptr;
    opener->deleteLater();
    statusBar()->clearMessage();
    std::unique_ptr<BrowserCamera> camera = opener->takeCamera();
    if (!camera) {
        warn(opener->isFile() ? tr("Open GenICam File") : tr("Open Camera"),
                             tr("%1 could not be opened:\n%2").arg(opener->source(), error));
        return;
    }
    addRecent(opener->isFile() ? recentFilesKey : recentCamerasKey, opener->source());
    auto* window = new BrowserWindow(std::move(camera));
    window->restoreSettings();
    window->chooseVisibility(m_tree->visibility());
    window->show();
    close();
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
    static const ExceptionGuard guard("BrowserWindow::showParameter", "Failed to describe the feature.");
    guard.run([&] {
        const auto properties = parameter->getProperties();
        const auto text = [&properties](const char* key) {
            return properties ? properties->getProperty(QString::fromLatin1(key)) : QString();
        };
        const QString display = properties ? text("DisplayName") : parameter->getName();
        QString html = QStringLiteral("<h3>%1</h3><p><code>%2</code></p>")
                           .arg(display.toHtmlEscaped(), parameter->getFullName().toHtmlEscaped());
        if (!text("Tooltip").isEmpty())
            html += QStringLiteral("<p><i>%1</i></p>").arg(text("Tooltip").toHtmlEscaped());
        if (!text("Description").isEmpty())
            html += QStringLiteral("<p>%1</p>").arg(text("Description").toHtmlEscaped());
        if (!text("DocuURL").isEmpty())
            html += QStringLiteral("<p><a href=\"%1\">%2</a></p>")
                        .arg(text("DocuURL").toHtmlEscaped(), tr("Documentation"));
        m_description->setHtml(html);
    });
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
        menu->addAction(tr("Copy Value"), this, [parameter] {
            static const ExceptionGuard guard("BrowserWindow::completeContextMenu", "Failed to copy the value.");
            guard.run([&] { QApplication::clipboard()->setText(valueOf(parameter)); });
        });
        menu->addAction(tr("Copy Name"), this,
                        [parameter] { QApplication::clipboard()->setText(parameter->getName()); });
    }
    menu->exec(m_tree->mapToGlobal(point));
}

bool BrowserWindow::event(QEvent* event)
{
    // The window closed or replaced while one of its dialogs is open: the
    // deletion may arrive inside that dialog's loop, and would delete the
    // dialog under its exec() and return into a deleted window. The dialogs
    // are closed instead, and the window goes once the last loop returned.
    if (event->type() == QEvent::DeferredDelete && m_modalLoops > 0) {
        m_deleteAfterModal = true;
        for (QDialog* dialog : findChildren<QDialog*>()) {
            if (dialog->isVisible())
                dialog->reject();
        }
        return true;
    }
    return QMainWindow::event(event);
}

void BrowserWindow::warn(const QString& title, const QString& text)
{
    const ModalScope modal(this);
    QMessageBox::warning(this, title, text);
}

void BrowserWindow::showError(AsyncErrorQueue::ErrorSeverity severity, const QString& message, const QString& details,
                              QWidget* widget)
{
    Q_UNUSED(widget)
    const QMessageBox::Icon icon = severity == AsyncErrorQueue::Warning ? QMessageBox::Warning : QMessageBox::Critical;
    // Reports are remembered by their text: "Don't show this dialog again" silences that report only.
    MessageBoxCheckable box(QStringLiteral("FeatureBrowser/") + message, icon, windowTitle(), message, QMessageBox::Ok,
                            this);
    box.setDetailedText(details);
    box.setSaveResultOnButton(QMessageBox::Ok);
    const ModalScope modal(this);
    box.exec();
}

void BrowserWindow::runInBackground(std::function<void()> work, std::function<void()> done)
{
    for (QAction* action : qAsConst(m_settingsActions))
        action->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    ++m_busy;
    BackgroundWork::start(std::move(work), this, [this, done] {
        --m_busy;
        QApplication::restoreOverrideCursor();
        for (QAction* action : qAsConst(m_settingsActions))
            action->setEnabled(true);
        done();
    });
}

void BrowserWindow::saveSettingsFile()
{
    const ModalScope modal(this);
    QString path = QFileDialog::getSaveFileName(this, tr("Save Settings"), QString(), tr(settingsFilter));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".json");
    auto error = QSharedPointer<QString>::create();
    const auto collections = m_camera->parameterCollections();
    const auto info = m_camera->info();
    runInBackground(
        [collections, info, path, error] {
            static const ExceptionGuard guard("BrowserWindow::saveSettingsFile", "Failed to read the settings.");
            if (!guard.run([&] { return SettingsFile::capture(collections, *info).save(path, error.data()); }, false)
                && error->isEmpty())
                *error = tr("The settings could not be read from the camera.");
        },
        [this, path, error] {
            if (error->isEmpty())
                statusBar()->showMessage(tr("The settings were saved to %1.").arg(path), 5000);
            else
                warn(tr("Save Settings"), *error);
        });
}

void BrowserWindow::loadSettingsFile()
{
    const ModalScope modal(this);
    const QString path = QFileDialog::getOpenFileName(this, tr("Load Settings"), QString(), tr(settingsFilter));
    if (path.isEmpty())
        return;
    SettingsFile file;
    QString error;
    if (!file.load(path, &error)) {
        warn(tr("Load Settings"), error);
        return;
    }
    putBack(file, tr("Load Settings"));
}

void BrowserWindow::putBack(const SettingsFile& file, const QString& title)
{
    auto report = QSharedPointer<SettingsFile::Report>::create();
    const auto collections = m_camera->parameterCollections();
    runInBackground(
        [collections, file, report] {
            static const ExceptionGuard guard("BrowserWindow::putBack", "Failed to put the settings back.");
            guard.run([&] { *report = file.apply(collections); });
        },
        [this, report, title] {
            const QString text = SettingsFile::reportText(*report);
            if (text.isEmpty()) {
                statusBar()->showMessage(tr("%n value(s) put back.", nullptr, report->written), 5000);
                return;
            }
            QMessageBox box(report->ok() ? QMessageBox::Information : QMessageBox::Warning, title,
                            report->ok() ? tr("%n value(s) put back; some features of the file are not on this camera.",
                                              nullptr, report->written)
                                         : tr("%n value(s) put back; the camera refused %1.", nullptr, report->written)
                                               .arg(tr("%n feature(s)", nullptr, report->failed.size())),
                            QMessageBox::Ok, this);
            box.setDetailedText(text);
            const ModalScope modal(this);
            box.exec();
        });
}

void BrowserWindow::rememberSettings()
{
    static const ExceptionGuard guard("BrowserWindow::rememberSettings", "Failed to read the settings.");
    guard.run([&] {
        m_beforeLoss = QSharedPointer<SettingsFile>::create(SettingsFile::capture(
            m_camera->parameterCollections(), *m_camera->info(), SettingsFile::Positions::Current));
    });
}

void BrowserWindow::saveDeviceXml()
{
    const ModalScope modal(this);
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Device XML"), QString(),
                                                      tr("GenICam XML (*.xml);;All files (*)"));
    if (path.isEmpty())
        return;
    const QString error = writeDeviceXml(path);
    if (!error.isEmpty())
        warn(tr("Save Device XML"), tr("%1 could not be written:\n%2").arg(path, error));
    else
        statusBar()->showMessage(tr("The device XML was saved to %1.").arg(path), 5000);
}

QString BrowserWindow::writeDeviceXml(const QString& path) const
{
    const QByteArray xml = m_camera->deviceXml();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size() || !file.commit())
        return file.errorString();
    return QString();
}

void BrowserWindow::configureIp()
{
    const auto collections = m_camera->parameterCollections();
    const auto feature
        = [&collections](const char* name) { return FeatureWalk::find(collections, QString::fromLatin1(name)); };
    static const ExceptionGuard guard("BrowserWindow::configureIp", "Failed to configure the IP address.");
    const auto address = guard.run([&] { return feature("GevPersistentIPAddress"); });
    const auto mask = guard.run([&] { return feature("GevPersistentSubnetMask"); });
    const auto gateway = guard.run([&] { return feature("GevPersistentDefaultGateway"); });
    if (!address || !mask || !gateway) {
        warn(tr("IP Configuration"), tr("The camera has no persistent IP settings."));
        return;
    }
    // The configuration modes, as GigE Vision names them; a camera may lack some.
    const QList<QPair<QString, QSharedPointer<ParameterCollection::IParameter>>> modes {
        { tr("Persistent IP address"), guard.run([&] { return feature("GevCurrentIPConfigurationPersistentIP"); }) },
        { tr("DHCP"), guard.run([&] { return feature("GevCurrentIPConfigurationDHCP"); }) },
        { tr("Link-local address (LLA)"), guard.run([&] { return feature("GevCurrentIPConfigurationLLA"); }) }
    };
    // The tree's node-map filter shows these settings read-only, so that they
    // change here, together: that imposed mode is lifted while the dialog
    // shows and put back after it, whatever happens.
    QList<QPair<QSharedPointer<ParameterCollection::IParameterProperties>, QString>> lifted;
    for (const auto& parameter : { address, mask, gateway, modes[0].second, modes[1].second, modes[2].second }) {
        guard.run([&] {
            const auto properties = parameter ? parameter->getProperties() : nullptr;
            const QString imposed = properties ? properties->getProperty(QStringLiteral("ImposedAccessMode")) : QString();
            if (!imposed.isEmpty()) {
                properties->setProperty(QStringLiteral("AccessMode"), QString());
                lifted << qMakePair(properties, imposed);
            }
        });
    }
    const auto restore = qScopeGuard([&lifted] {
        for (const auto& l : qAsConst(lifted))
            guard.run([&l] { l.first->setProperty(QStringLiteral("AccessMode"), l.second); });
    });

    IpAddressWidget dialog(this);
    dialog.setHeaderText(tr("Persistent IP configuration of %1").arg(m_camera->info()->getFriendlyName()));
    dialog.setIpAddress(valueOf(address));
    dialog.setSubnetMask(valueOf(mask));
    dialog.setDefaultGateway(valueOf(gateway));
    auto* modeBox = new QWidget(&dialog);
    auto* modeLayout = new QFormLayout(modeBox);
    QList<QPair<QComboBox*, QSharedPointer<ParameterCollection::IParameter>>> switches;
    for (const auto& mode : modes) {
        if (!mode.second)
            continue;
        auto* on = new QComboBox(modeBox);
        on->addItems({ tr("Off"), tr("On") });
        const auto data = guard.run([&] { return mode.second->getParameterData(); });
        on->setCurrentIndex(data && data->boolValue ? 1 : 0);
        // A mode the camera only reports (LLA is often always on) is shown, not written.
        on->setEnabled(data && data->isWritable);
        modeLayout->addRow(mode.first, on);
        if (on->isEnabled())
            switches << qMakePair(on, mode.second);
    }
    if (auto* layout = qobject_cast<QBoxLayout*>(dialog.layout()))
        layout->insertWidget(layout->count() - 1, modeBox);
    const ModalScope modal(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    bool written = false;
    guard.run([&] {
        FeatureWalk::write(*address, dialog.ipAddress());
        FeatureWalk::write(*mask, dialog.subnetMask());
        FeatureWalk::write(*gateway, dialog.defaultGateway());
        for (const auto& s : switches)
            FeatureWalk::write(*s.second, s.first->currentIndex() == 1 ? QStringLiteral("1") : QStringLiteral("0"));
        written = true;
    });
    if (written)
        statusBar()->showMessage(tr("Persistent IP configuration written."), 5000);
}

void BrowserWindow::showConnection()
{
    using State = ParameterCollection::IParameterCollection::ConnectionState;
    State state = State::Connected;
    for (const Collection& c : m_camera->collections()) {
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
        m_connection->setText(m_autoReconnect->isChecked() ? tr("Disconnected, reconnecting...") : tr("Disconnected"));
        break;
    }
    m_reconnect->setEnabled(state == State::Lost);
    if (state == State::Lost && m_autoReconnect->isChecked())
        m_retry.start();
    else
        m_retry.stop();

    if (state == State::Lost) {
        m_wasLost = true;
        m_remember.stop();
        return;
    }
    if (state == State::Connected && !m_remember.isActive()) {
        const bool offer = m_wasLost && m_beforeLoss && !m_beforeLoss->entries.isEmpty();
        m_wasLost = false;
        if (offer) {
            // Queued: the tree has its own reaction to the same signal first.
            const QSharedPointer<SettingsFile> before = m_beforeLoss;
            QMetaObject::invokeMethod(
                this,
                [this, before] {
                    const ModalScope modal(this);
                    if (QMessageBox::question(this, tr("Camera Back"),
                                              tr("The camera is back. Put back the settings that were in effect "
                                                 "before it was lost?"))
                        == QMessageBox::Yes)
                        putBack(*before, tr("Camera Back"));
                },
                Qt::QueuedConnection);
        } else {
            rememberSettings();
        }
        m_remember.start();
    }
}

void BrowserWindow::reconnect()
{
    static const ExceptionGuard guard("BrowserWindow::reconnect", "Failed to reconnect the camera.");
    for (const Collection& c : m_camera->collections()) {
        if (c.collection
            && c.collection->connectionState() == ParameterCollection::IParameterCollection::ConnectionState::Lost)
            guard.run([&] { c.collection->reconnect(); });
    }
}

void BrowserWindow::copyTree()
{
    m_tree->copyToClipboard();
    statusBar()->showMessage(tr("The feature tree was copied to the clipboard."), 5000);
}

void BrowserWindow::showAbout()
{
    const ModalScope modal(this);
    QMessageBox::about(this, tr("About Feature Browser"), aboutText());
}

QString BrowserWindow::aboutText() const
{
    const auto info = m_camera->info();
    const QString source = m_camera->source().toHtmlEscaped();
    QString shown;
    if (m_camera->emulated())
        shown = tr("<p>Browses and edits the features of the built-in emulated camera.</p>");
    else if (m_camera->isFile())
        shown = tr("<p>Browses the features of the GenICam file %1, without a device.</p>").arg(source);
    else
        shown = tr("<p>Browses and edits the features of the camera %1 %2, serial number %3, opened as %4.</p>")
                    .arg(info->getVendorName().toHtmlEscaped(), info->getModelName().toHtmlEscaped(),
                         info->getSerialNumber().toHtmlEscaped(), source);
    return tr("<h3>Feature Browser</h3><p>OrvikViewerComponents6 %1</p>%2")
        .arg(QString::fromLatin1(OrvikViewerComponents6::version()), shown);
}

void BrowserWindow::restoreSettings()
{
    QSettings settings;
    settings.beginGroup(settingsGroup);
    restoreGeometry(settings.value(QStringLiteral("Geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("WindowState")).toByteArray());
    const QByteArray columns = settings.value(QStringLiteral("Columns")).toByteArray();
    m_columnsRestored = !columns.isEmpty() && m_tree->restoreState(columns, columnStateVersion);
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

void BrowserWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The names decide how wide their column must be, unless the user chose a width before.
    if (!m_columnsRestored)
        m_tree->treeView()->resizeColumnToContents(0);
}

void BrowserWindow::closeEvent(QCloseEvent* event)
{
    // What is still being opened is not wanted any more.
    delete m_opener;
    m_opener = nullptr;
    saveSettings();
    event->accept();
}
