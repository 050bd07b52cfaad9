#include "widgets/messageboxcheckable.h"

#include "common/settingsgroup.h"

#include <QEvent>
#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QMap>
#include <QPixmap>

namespace {

const QString doNotShowAgainGroup()
{
    return QStringLiteral("DoNotShowAgain");
}

/// The library's own message box icons, loaded once on first use. Only used
/// on the GUI thread, where an unknown icon may be added as a null pixmap.
QMap<QMessageBox::Icon, QPixmap>& iconTable()
{
    static QMap<QMessageBox::Icon, QPixmap> table {
        { QMessageBox::NoIcon, QPixmap() },
        { QMessageBox::Information, QPixmap(QStringLiteral(":/orvikviewercomponents/Resources/Info_32.png")) },
        // The warning icon is the small black one on purpose.
        { QMessageBox::Warning, QPixmap(QStringLiteral(":/orvikviewercomponents/Resources/Warning_16_black.png")) },
        { QMessageBox::Critical, QPixmap(QStringLiteral(":/orvikviewercomponents/Resources/Error_32.png")) },
        { QMessageBox::Question, QPixmap(QStringLiteral(":/orvikviewercomponents/Resources/Question_32.png")) },
    };
    return table;
}

} // namespace

MessageBoxCheckable::MessageBoxCheckable(const QString& name, QWidget* parent)
    : QMessageBox(parent)
    , m_name(name)
{
    init();
}

MessageBoxCheckable::MessageBoxCheckable(const QString& name, QMessageBox::Icon icon, const QString& title,
                                         const QString& text, QMessageBox::StandardButtons buttons, QWidget* parent,
                                         Qt::WindowFlags flags)
    : QMessageBox(icon, title, text, buttons, parent, flags)
    , m_name(name)
{
    setIconPixmap(iconTable()[icon]);
    init();
}

MessageBoxCheckable::~MessageBoxCheckable() = default;

QString MessageBoxCheckable::defaultCheckBoxText()
{
    return QObject::tr("&Don't show this dialog again");
}

void MessageBoxCheckable::init()
{
    SettingsGroup settings(doNotShowAgainGroup());
    m_storedResult = settings->value(m_name, -1).toInt();
    // Both ways a box closes end here: done() (also called by exec's callers)
    // and a click on one of its buttons, which Qt finishes directly.
    connect(this, &QDialog::finished, this, [this](int result) { rememberResult(result); });
}

QString MessageBoxCheckable::checkBoxText() const
{
    // No text of its own: the default, in the language of the moment.
    return m_checkBoxText.isEmpty() ? defaultCheckBoxText() : m_checkBoxText;
}

void MessageBoxCheckable::setCheckBoxText(const QString& text)
{
    m_checkBoxText = text;
    if (m_checkBox)
        m_checkBox->setText(checkBoxText());
}

void MessageBoxCheckable::changeEvent(QEvent* event)
{
    QMessageBox::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && m_checkBox)
        m_checkBox->setText(checkBoxText());
}

QMessageBox::StandardButtons MessageBoxCheckable::saveResultOnButton() const
{
    return m_saveResultStandardButtons;
}

void MessageBoxCheckable::setSaveResultOnButton(QMessageBox::StandardButtons buttons)
{
    m_saveResultStandardButtons = buttons;
}

void MessageBoxCheckable::setSaveResultOnButton(QAbstractButton* button)
{
    m_saveResultButtons.append(button);
}

void MessageBoxCheckable::saveDoNotShowAgain(int result)
{
    if (!m_checkBox || !m_checkBox->isChecked())
        return;
    SettingsGroup settings(doNotShowAgainGroup());
    settings->setValue(m_name, result);
}

int MessageBoxCheckable::exec()
{
    if (m_storedResult != -1)
        return m_storedResult;
    addCheckBoxWidget();
    return QMessageBox::exec();
}

void MessageBoxCheckable::done(int result)
{
    // The choice is remembered in rememberResult, on finished: a button click
    // finishes a QMessageBox without passing through done().
    QMessageBox::done(result);
}

void MessageBoxCheckable::rememberResult(int result)
{
    // QFlags::testFlag semantics, spelled out on integers because a result need
    // not be a StandardButton: every bit of it must be allowed, and 0 only
    // qualifies while no flags are set at all.
    const int allowed = static_cast<int>(m_saveResultStandardButtons);
    bool qualifies = (allowed & result) == result && (result != 0 || allowed == 0);
    if (!qualifies)
        qualifies = m_saveResultButtons.contains(clickedButton());
    if (qualifies && m_checkBox && m_checkBox->checkState() == Qt::Checked)
        saveDoNotShowAgain(result);
}

bool MessageBoxCheckable::reset()
{
    if (m_name.isEmpty())
        return false;
    SettingsGroup settings(doNotShowAgainGroup());
    settings->remove(m_name);
    return true;
}

bool MessageBoxCheckable::resetAll()
{
    SettingsGroup settings(doNotShowAgainGroup());
    // The empty key stands for every key of the current group.
    settings->remove(QString());
    return true;
}

bool MessageBoxCheckable::addCheckBoxWidget()
{
    if (m_checkBox || !qobject_cast<QGridLayout*>(layout()) || !findChild<QDialogButtonBox*>())
        return false;
    m_checkBox = new QCheckBox(this);
    m_checkBox->setText(checkBoxText());
    m_checkBox->setMinimumHeight(m_checkBox->height());
    setCheckBox(m_checkBox);
    return true;
}
