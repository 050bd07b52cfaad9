// A host application that embeds the feature tree, built against the
// installed package. Run with --check to build the window and exit.
#include <camerapool/ibaseinfo.h>
#include <featuretree/featuretreewidget.h>
#include <orvikviewercomponents6.h>
#include <parametercollection/emulatedcamera.h>
#include <widgets/asyncerrorqueue.h>

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("MyCompany"));
    QCoreApplication::setApplicationName(QStringLiteral("MyViewer"));

    // Any parameter collections do; the emulated camera ships with the library.
    ParameterCollection::EmulatedCamera camera;

    QMainWindow window;
    auto* tree = new FeatureTreeWidget(QStringLiteral("MyViewer"), camera.info(), &window);
    window.setCentralWidget(tree);
    for (const auto& c : camera.collections())
        tree->addParameterCollection(c.collection, c.rootName, c.roleName, true);
    tree->setVisibility(GenApi::Expert);
    tree->setPolling(true);

    // The library shows no dialogs itself: errors arrive through the queue.
    QObject::connect(GetTheGlobalAsyncErrorQueue(), &AsyncErrorQueue::displayError, &window,
                     [&window](AsyncErrorQueue::ErrorSeverity, const QString& message, const QString& details,
                               QWidget*) { QMessageBox::warning(&window, message, details); });
    // The host completes and shows the context menu.
    QObject::connect(tree, &FeatureTreeWidget::contextMenuRequested, tree,
                     [tree](const QPoint& point, QSharedPointer<QMenu> menu) { menu->exec(tree->mapToGlobal(point)); });

    if (app.arguments().contains(QStringLiteral("--check"))) {
        QTextStream(stdout) << "OrvikViewerComponents6 " << OrvikViewerComponents6::version() << ": "
                            << tree->treeView()->model()->rowCount() << " top-level rows\n";
        return tree->treeView()->model()->rowCount() > 0 ? 0 : 1;
    }
    window.resize(800, 700);
    window.show();
    return app.exec();
}
