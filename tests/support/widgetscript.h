#pragma once

#include <QApplication>
#include <QHash>
#include <QMetaEnum>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QWidget>
#include <QtTest>

#include <functional>

/// Drives a widget through a script, one line of words, each an action or a
/// check, so that one row of a data table can tell a whole user story:
///
///   f(1,2.5)      calls the slot f of the widget (x.f(): of its child x) with
///                 the arguments converted to the slot's parameter types
///   a=1   x.a=1   writes the property a of the widget or of its child x
///   a?1   x.a?1   checks the text of a property (an enumeration by its key);
///                 a name given to check() is asked first
///   x:text        focuses the child x as Tab does and types the text over its
///                 contents (x: empties it); >text types at the focus widget
///   Key*3         key clicks at the focus widget, named as in Qt::Key_Key;
///                 x!Key focuses the child x first; focus:x only focuses it
///   show          shows the widget's window and waits until it is active
///   locale:de     gives the widget a locale
///   name:arg      a custom action given to action(); a bare name runs it with ""
///
/// Quotes keep blanks inside a word: toolTip?'Range: 0..10'. A child is found
/// by an alias or by its object name. The script stops at the first failure.
class WidgetScript
{
public:
    explicit WidgetScript(QWidget* widget)
        : m_widget(widget)
    { }

    void alias(const QString& name, QObject* child) { m_aliases.insert(name, child); }
    void check(const QString& name, std::function<QString()> observe) { m_checks.insert(name, std::move(observe)); }
    void action(const QString& name, std::function<void(const QString&)> act)
    {
        m_actions.insert(name, std::move(act));
    }

    void run(const QString& script)
    {
        static const QRegularExpression word("(?:[^\\s']|'[^']*')+");
        for (auto it = word.globalMatch(script); it.hasNext() && !QTest::currentTestFailed();)
            step(it.next().captured().remove('\''));
    }

    /// The widget for "", else the child of that alias or object name; null when there is none.
    QObject* find(const QString& name) const
    {
        return name.isEmpty() ? m_widget : m_aliases.value(name, m_widget->findChild<QObject*>(name));
    }

private:
    void step(const QString& word)
    {
        static const QRegularExpression form("^(?:(\\w*)\\.)?(\\w*)([(=?:!>]?)(.*)$");
        const QRegularExpressionMatch match = form.match(word);
        const QString member = match.captured(2), kind = match.captured(3), arg = match.captured(4);
        QObject* target = find(match.captured(1));
        QWidget* child
            = qobject_cast<QWidget*>(kind == ">" || kind.isEmpty() ? QApplication::focusWidget() : find(member));
        QVERIFY2(target, qPrintable("nothing to address in " + word));
        if (kind == "(") {
            QVERIFY2(invoke(target, member.toLatin1(), arg.chopped(1).split(',', Qt::SkipEmptyParts)),
                     qPrintable(word));
        } else if (kind == "=") {
            QVERIFY2(target->setProperty(qPrintable(member), arg), qPrintable(word));
        } else if (kind == "?") {
            const QString actual
                = m_checks.contains(member) && target == m_widget ? m_checks[member]() : propertyText(target, member);
            QVERIFY2(actual == arg, qPrintable(QString("%1, but it is %2").arg(word, actual)));
        } else if (m_actions.contains(member)) {
            m_actions[member](arg);
        } else if (member == "show") {
            m_widget->window()->show();
            // Offscreen, a window shown again after hiding gets no activation of its own.
            QApplication::setActiveWindow(m_widget->window());
            QVERIFY(QTest::qWaitForWindowActive(m_widget->window()));
        } else if (member == "locale") {
            m_widget->setLocale(QLocale(arg));
        } else if (member == "focus") {
            child = qobject_cast<QWidget*>(find(arg));
            QVERIFY2(child, qPrintable(word));
            focus(child);
        } else if (kind == ":" || kind == ">") {
            QVERIFY2(child, qPrintable(word));
            if (kind == ":") {
                focus(child, Qt::TabFocusReason);
                QMetaObject::invokeMethod(child, "selectAll");
                if (arg.isEmpty())
                    QTest::keyClick(child, Qt::Key_Delete);
            }
            QTest::keyClicks(child, arg);
        } else { // a key, "PageUp*10"
            const QString key = kind == "!" ? arg : member + arg;
            const int code = QMetaEnum::fromType<Qt::Key>().keyToValue(qPrintable("Key_" + key.section('*', 0, 0)));
            QVERIFY2(child && code != -1, qPrintable(word));
            if (kind == "!")
                focus(child);
            for (int i = qMax(1, key.section('*', 1).toInt()); i > 0; --i)
                QTest::keyClick(child, Qt::Key(code));
        }
    }

    static bool invoke(QObject* object, const QByteArray& name, const QStringList& args)
    {
        for (int i = 0; i < object->metaObject()->methodCount(); ++i) {
            const QMetaMethod method = object->metaObject()->method(i);
            if (method.name() != name || method.parameterCount() != args.size())
                continue;
            QVariant values[6];
            QGenericArgument generic[6];
            for (int a = 0; a < args.size(); ++a) {
                values[a] = args[a];
                if (!values[a].convert(method.parameterType(a)))
                    return false;
                generic[a] = QGenericArgument(values[a].typeName(), values[a].constData());
            }
            return method.invoke(object, generic[0], generic[1], generic[2], generic[3], generic[4], generic[5]);
        }
        return false;
    }

    static QString propertyText(const QObject* object, const QString& name)
    {
        const QMetaProperty property
            = object->metaObject()->property(object->metaObject()->indexOfProperty(qPrintable(name)));
        const QVariant value = object->property(qPrintable(name));
        return property.isEnumType() ? property.enumerator().valueToKey(value.toInt()) : value.toString();
    }

    static void focus(QWidget* target, Qt::FocusReason reason = Qt::OtherFocusReason)
    {
        target->setFocus(reason);
        QTRY_VERIFY2(target->hasFocus(), qPrintable(target->objectName()));
    }

    QWidget* m_widget;
    QHash<QString, QObject*> m_aliases;
    QHash<QString, std::function<QString()>> m_checks;
    QHash<QString, std::function<void(const QString&)>> m_actions;
};
