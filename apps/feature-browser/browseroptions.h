#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// What the feature browser was asked to do on its command line.
struct BrowserOptions
{
    enum class Mode {
        Window,
        Commands, ///< act on the camera without a window: the actions, in order
        Screenshot,
        Help,
        Version,
        ListDevices
    };
    enum class Format { Text, Json };

    /// One thing to do with the camera; the actions run in the order given.
    struct Action
    {
        enum Kind { Dump, Get, Set, Save, Load, Compare };
        Kind kind = Dump;
        QStringList arguments; ///< names, NAME=VALUE pairs or one file
    };

    Mode mode = Mode::Window;
    QString language; ///< "en", "ja", "ko", "zh"; empty: from the system locale
    QString screenshotFile; ///< with Mode::Screenshot
    int visibility = -1; ///< 0..3 from --level; -1: the stored level (Guru for dumps)
    QString aravisDevice; ///< --aravis: an Aravis device id such as "Fake_1"; empty: none
    QString genicamFile; ///< --genicam: a GenICam XML file to open without a device
    Format format = Format::Text; ///< of --dump
    QList<Action> actions;
    QString error; ///< set when the arguments are unusable

    /// Reads the arguments (without the program name). Unknown options,
    /// missing or bad values set `error` with a message for the user.
    static BrowserOptions parse(const QStringList& arguments);
    static QString usage();
    /// The language to use for a locale name such as "ja_JP": one of the four
    /// the library is translated into, English otherwise.
    static QString languageForLocale(const QString& localeName);
    /// True for the modes that need no display.
    bool headless() const { return mode != Mode::Window && mode != Mode::Screenshot; }
};
