#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <memory>

class BrowserCamera;

/// Opens a camera through Aravis, or a GenICam file, away from the GUI
/// thread: connecting, downloading the device's XML and building its node
/// map may wait on the network for seconds. opened() or failed() comes on the
/// thread that made the opener, where the camera is then used. Destroying
/// the opener earlier abandons the open: what it opens is destroyed without
/// being reported.
class CameraOpener : public QObject
{
    Q_OBJECT
public:
    /// Starts opening `source`: an Aravis device id or address, or a file with `isFile`.
    CameraOpener(const QString& source, bool isFile, QObject* parent = nullptr);
    ~CameraOpener() override;

    QString source() const { return m_source; }
    bool isFile() const { return m_isFile; }
    /// The camera, once opened() came; null after it was taken.
    std::unique_ptr<BrowserCamera> takeCamera();

Q_SIGNALS:
    void opened();
    /// `message` says what failed, for the user.
    void failed(const QString& message);

private:
    struct Job;
    QString m_source;
    bool m_isFile = false;
    QSharedPointer<Job> m_job; // shared with the thread that opens
    std::unique_ptr<BrowserCamera> m_camera;
};
