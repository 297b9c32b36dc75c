// Times the viewer as a user drives it: the real main window with its field
// window on Qt's offscreen platform over --folder DIR (a copy it may write
// to: the synchronisation adds rows, the staging folder is refilled), clicks
// in the farm grid with QTest and waits until the map control has painted.
// Prints "name: value" lines, the median of --runs runs (default 3), each run
// in a fresh process so that nothing is cached from an earlier run:
// - start_ms: program start to the first picture with plots;
// - farm_click_ms: one click on a farm to its picture, warm;
// - all_farms_cold_ms: a click on the first farm, then Shift-click on the
//   last; from the Shift-click to the picture, the first time after start;
// - all_farms_warm_ms: the same again;
// - redraw_full_ms: a redraw of all plots at 1920 x 1080, antialiased, with
//   the map control's own paint routine, style and render cache;
// - redraw_first_ms: the first of these paints, at a scale not drawn before
//   (as after a zoom);
// - farm_after_all_ms: one click on a farm right after all were shown;
// - plots_drawn: shapes drawn by the last all-farms picture of the window;
// - peak_rss_mib: the peak resident memory of the run.
// Each timed figure also comes as <name>_cpu (the processor time of the
// process, all its threads, in ms), which tells the work apart from waiting
// on a busy machine. The single runs go to standard error. It asserts nothing.

#include "MainWindow.h"
#include "MapControl.h"
#include "MapRenderer.h"
#include "MapViewport.h"
#include "ProgramRun.h"
#include "Prompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <sys/resource.h>

namespace {

constexpr int farmClicks = 4;
constexpr int redrawRuns = 11;
constexpr int pictureTimeoutMs = 30 * 60 * 1000;
const QSize screen(1920, 1080);

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values.at(mid) : (values.at(mid - 1) + values.at(mid)) / 2;
}

// Notes when the map control has painted a picture with plots and control
// has come back to the event loop.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->inherits("MapControl")) {
            auto* map = static_cast<MapControl*>(watched);
            QTimer::singleShot(0, this, [this, map] {
                if (map->shapesDrawnLastPaint() > 0)
                    painted = true;
            });
        }
        return false;
    }
};

class WindowRun {
public:
    explicit WindowRun(const QString& folder) : m_folder(folder)
    {
        qApp->installEventFilter(&m_watch);
    }

    void run(QTextStream& out)
    {
        Prompter::instance().setNonInteractive(true);
        QTemporaryDir settings;
        ProgramRun::Options options;
        options.programFolder = m_folder;
        options.settingsFile = settings.filePath(QStringLiteral("settings.ini"));
        std::unique_ptr<ProgramRun> program;
        const double start = timeUntilPainted([&] {
            program = std::make_unique<ProgramRun>(options);
            program->start();
        });
        out << "start_ms: " << start << '\n' << "start_cpu: " << m_lastCpu << '\n';
        m_grid = findFarmGrid();
        m_map = findMap();
        if (!m_grid || !m_map || m_grid->model()->rowCount() < 2) {
            out << "error: the farm grid needs two farms at least\n";
            return;
        }
        const int last = m_grid->model()->rowCount() - 1;

        clickFarm(1);
        QList<double> clicks;
        QList<double> clicksCpu;
        for (int i = 0; i < farmClicks; ++i) {
            clicks.append(clickFarm(i % 2 == 0 ? 0 : 1));
            clicksCpu.append(m_lastCpu);
        }
        out << "farm_click_ms: " << median(clicks) << '\n'
            << "farm_click_cpu: " << median(clicksCpu) << '\n';

        clickFarm(0);
        timed(out, "all_farms_cold", clickFarm(last, Qt::ShiftModifier));
        clickFarm(0);
        timed(out, "all_farms_warm", clickFarm(last, Qt::ShiftModifier));
        out << "plots_drawn: " << m_map->shapesDrawnLastPaint() << '\n';
        double first = 0;
        double firstCpu = 0;
        const double cpuBefore = cpuMs();
        const double redraw = redrawFull(&first, &firstCpu);
        m_lastCpu = (cpuMs() - cpuBefore - firstCpu) / redrawRuns;
        timed(out, "redraw_full", redraw);
        m_lastCpu = firstCpu;
        timed(out, "redraw_first", first);
        timed(out, "farm_after_all", clickFarm(1));

        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        out << "peak_rss_mib: " << double(usage.ru_maxrss) / 1024 << '\n';
        out.flush();
        program.reset();
    }

private:
    void timed(QTextStream& out, const char* name, double ms) const
    {
        out << name << "_ms: " << ms << '\n' << name << "_cpu: " << m_lastCpu << '\n';
    }

    template <typename Action> double timeUntilPainted(Action action)
    {
        m_watch.painted = false;
        const double cpuBefore = cpuMs();
        QElapsedTimer clock;
        clock.start();
        action();
        const QDeadlineTimer deadline(pictureTimeoutMs);
        while (!m_watch.painted && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        m_lastCpu = cpuMs() - cpuBefore;
        return double(clock.nsecsElapsed()) / 1e6;
    }

    // Clicks row (scrolled into view first, as a user does) and waits for the picture.
    double clickFarm(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QModelIndex index = m_grid->model()->index(row, 0);
        m_grid->scrollTo(index);
        QCoreApplication::processEvents();
        const QPoint at = m_grid->visualRect(index).center();
        return timeUntilPainted(
            [&] { QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, modifiers, at); });
    }

    // The first paint at a scale with a render cache as the map control
    // keeps (*first, with its processor time in *firstCpu), then the median
    // of the repaints.
    double redrawFull(double* first, double* firstCpu) const
    {
        MapViewport viewport;
        viewport.resize(QSizeF(screen));
        viewport.zoomAll(m_map->document().dataExtent());
        const QList<const MapView*> views = m_map->document().views();
        QImage image(screen, QImage::Format_ARGB32_Premultiplied);
        RenderCache cache;
        QList<double> times;
        for (int i = 0; i <= redrawRuns; ++i) {
            const double cpuBefore = cpuMs();
            QElapsedTimer clock;
            clock.start();
            QPainter painter(&image);
            MapRenderer::paint(painter, QRectF(image.rect()), viewport.window(), views,
                               m_map->style(), nullptr, &cache);
            painter.end();
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            if (i == 0) {
                *first = ms;
                *firstCpu = cpuMs() - cpuBefore;
            } else {
                times.append(ms);
            }
        }
        return median(times);
    }

    static QTableView* findFarmGrid()
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* grid = top->findChild<QTableView*>(QStringLiteral("grdbetriebe")))
                return grid;
        }
        return nullptr;
    }
    static MapControl* findMap()
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* map = top->findChild<MapControl*>())
                return map;
        }
        return nullptr;
    }

    QString m_folder;
    PaintWatch m_watch;
    QTableView* m_grid = nullptr;
    MapControl* m_map = nullptr;
    double m_lastCpu = 0; // processor time of the last timeUntilPainted
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption folderOption(QStringLiteral("folder"),
                                          QStringLiteral("Program folder to time (it is written)."),
                                          QStringLiteral("DIR"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Runs (3)."),
                                        QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption childOption(QStringLiteral("one-run"),
                                         QStringLiteral("One run in this process."));
    parser.addHelpOption();
    parser.addOptions({folderOption, runsOption, childOption});
    parser.process(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parser.isSet(folderOption)) {
        err << "bench_window: --folder DIR is required\n";
        return 2;
    }
    const QString folder = parser.value(folderOption);
    if (parser.isSet(childOption)) {
        WindowRun(folder).run(out);
        return 0;
    }

    QMap<QString, QList<double>> figures;
    QStringList order;
    const int runs = std::max(1, parser.value(runsOption).toInt());
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        // The child's warnings (the offscreen platform's) are left out.
        child.setStandardErrorFile(QProcess::nullDevice());
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--one-run"), QStringLiteral("--folder"), folder});
        child.waitForFinished(-1);
        const QString text = QString::fromUtf8(child.readAllStandardOutput());
        err << "run " << run + 1 << ":\n" << text;
        err.flush();
        for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
            const qsizetype colon = line.indexOf(QLatin1String(": "));
            bool number = false;
            const double value = line.mid(colon + 2).toDouble(&number);
            if (colon < 0 || !number)
                continue;
            const QString name = line.left(colon);
            if (!order.contains(name))
                order.append(name);
            figures[name].append(value);
        }
    }
    for (const QString& name : std::as_const(order))
        out << name << ": " << QString::number(median(figures.value(name)), 'f', 1) << '\n';
    return 0;
}
