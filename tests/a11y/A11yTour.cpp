// The accessibility test's program: ZOK's main window as the program starts it (ZOK.ini of the
// current folder, its language, its port), which then opens each of its dialogs in turn through
// its own commands, so that a screen-reader client (a11y_tree.py) can walk every window.
//
// Lines on standard output: "READY <step>\t<window title>" when a window is up and waiting.
// Lines on standard input:  "who <x> <y>" asks which widget is at that screen point (answer
// "IS <objectName>\t<class>"), "next" closes the window and goes on; "DONE" ends the tour.
#include "CZOKApp.h"
#include "CZOKDlg.h"
#include "ParameterFile.h"
#include "ParameterFileDialogs.h"
#include "WindowTour.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Say(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class Tour : public QObject
{
public:
    Tour(CZOKDlg &window, QString parameterFile) : m_window(window), m_steps(zok::tour::DialogSteps())
    {
        ParameterFileDialogs dialogs;
        dialogs.chooseSaveFile = [](QWidget *) { return std::optional<QString>(); };
        dialogs.chooseLoadFile = [file = std::move(parameterFile)](QWidget *) { return std::optional(file); };
        m_window.SetFileDialogs(std::move(dialogs));
        m_window.SetModalHook([this](QDialog &dialog) { return RunDialog(dialog); });
        // A message box would wait for a click that never comes; the walk is about the dialogs.
        m_window.SetMessageBoxHook([](const CDialogEx::MessageBoxRequest &request) {
            std::fprintf(stderr, "zok_a11y_tour: message box: %s\n", qPrintable(request.text));
            return QMessageBox::Ok;
        });
        connect(&m_input, &QSocketNotifier::activated, this, [this] { ReadInput(); });
    }

    void Start()
    {
        m_window.show();
        Announce(QStringLiteral("main-window"), &m_window);
    }

private:
    int RunDialog(QDialog &dialog)
    {
        m_stepOpened = true;
        QPointer<QDialog> shown(&dialog);
        QTimer::singleShot(0, &dialog, [this, shown] {
            if (shown)
                Announce(QString::fromLatin1(m_steps[m_next - 1].name), shown);
        });
        return dialog.exec();
    }

    void Announce(const QString &step, QWidget *window)
    {
        // Without a window manager activation may never come; the walker finds the window anyway.
        if (QTest::qWaitForWindowExposed(window)) {
            window->activateWindow();
            Q_UNUSED(QTest::qWaitForWindowActive(window, 2000));
        }
        m_current = window;
        Say(QStringLiteral("READY %1\t%2").arg(step, window->windowTitle()));
    }

    void ReadInput()
    {
        char buffer[256];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            QApplication::exit(1); // the walker went away
            return;
        }
        m_pending.append(buffer, static_cast<int>(got));
        for (int end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
            const QString line = QString::fromUtf8(m_pending.left(end)).trimmed();
            m_pending.remove(0, end + 1);
            Handle(line);
        }
    }

    void Handle(const QString &line)
    {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() == 3 && words[0] == QLatin1String("who")) {
            // The named control around the point, not a part of it (a list's viewport).
            const QWidget *at = QApplication::widgetAt(words[1].toInt(), words[2].toInt());
            while (at && at->parentWidget() &&
                   (at->objectName().isEmpty() || at->objectName().startsWith(QLatin1String("qt_"))))
                at = at->parentWidget();
            Say(QStringLiteral("IS %1\t%2")
                    .arg(at ? at->objectName() : QStringLiteral("?"),
                         at ? QString::fromLatin1(at->metaObject()->className())
                            : QStringLiteral("nothing")));
        } else if (line == QLatin1String("next")) {
            // Leaves the handler first: the next step may run a modal loop of its own.
            QTimer::singleShot(0, this, [this] { Next(); });
        }
    }

    void Next()
    {
        if (m_current && m_current != &m_window) {
            // Closing ends the dialog's modal run; the step's command returns and the next opens.
            // Whatever the dialog opened over itself (a message box) goes first.
            QPointer<QWidget> closing = m_current;
            m_current = nullptr;
            for (int i = 0; i < 4; ++i) {
                QWidget *modal = QApplication::activeModalWidget();
                if (!modal || modal == closing || modal == &m_window)
                    break;
                modal->close();
            }
            CloseUntilGone(closing);
            return;
        }
        OpenNext();
    }

    // A dialog whose work is running takes a close as Cancel and stays until the work ends.
    void CloseUntilGone(const QPointer<QWidget> &closing, int triesLeft = 100)
    {
        if (!closing || !closing->isVisible())
            return;
        closing->close();
        if (triesLeft > 0)
            QTimer::singleShot(100, this,
                               [this, closing, triesLeft] { CloseUntilGone(closing, triesLeft - 1); });
    }

    void OpenNext()
    {
        while (m_next < m_steps.size()) {
            const zok::tour::Step &step = m_steps[m_next++];
            m_stepOpened = false;
            step.open(m_window);
            // Back here once the walker has closed the step's window.
            if (!m_stepOpened)
                Say(QStringLiteral("MISSING %1").arg(QString::fromLatin1(step.name)));
        }
        Say(QStringLiteral("DONE"));
        QApplication::exit(0);
    }

    CZOKDlg &m_window;
    std::vector<zok::tour::Step> m_steps;
    std::size_t m_next = 0;
    bool m_stepOpened = false;
    QPointer<QWidget> m_current;
    QSocketNotifier m_input{STDIN_FILENO, QSocketNotifier::Read};
    QByteArray m_pending;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("ZOK"));
    CZOKApp app;
    app.InitSettings(QDir::currentPath().toStdString());
    CZOKDlg window(app.Settings());
    // The file that Compare and Clone read: the window's own values, every key present.
    const QString parameterFile = QDir::current().absoluteFilePath(QStringLiteral("tour.zok"));
    if (zok::SaveParameterFile(QFile::encodeName(parameterFile).toStdString(), window.Properties()) !=
        zok::SaveOutcome::Saved) {
        std::fprintf(stderr, "zok_a11y_tour: cannot write %s\n", qPrintable(parameterFile));
        return 1;
    }
    Tour tour(window, parameterFile);
    QTimer::singleShot(0, &tour, [&tour] { tour.Start(); });
    return QApplication::exec();
}
