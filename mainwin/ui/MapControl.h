#pragma once

#include "MapDocument.h"
#include "MapHighlight.h"
#include "MapLabels.h"
#include "MapRenderer.h"
#include "PlotHitTest.h"

#include <QWidget>

#include <functional>

// The map widget: shows a MapDocument through MapRenderer and forwards the
// map operations to it under the names the rest of the program uses.
//
// Operations that change the window do not repaint by themselves; callers
// follow them with Redraw(). Each emits mapChanged(2) when the visible window
// has changed, as does a resize. A resize keeps centre and scale once the
// widget has been shown; before that, it fits the last requested window so
// that a ZoomAll made before the first show still shows everything.
//
// The mouse navigates by itself: the wheel zooms about the pointer (one notch
// is the toolbar's step, within the scale limits), a left drag pans the map
// live, a Shift+left drag draws a box and zooms to it, Esc during a drag puts
// the window back. A left click without movement is reported through
// mouseEvent on release; other buttons are reported on press. A double
// click reports the ground of its first click through doubleClicked (the
// first click has centred the map there already).
//
// Identify: resting the pointer on a polygon asks the identifier for a
// tooltip; the highlighted file's shapes are outlined over the map.
class MapControl : public QWidget {
    Q_OBJECT
public:
    enum MouseButtonCode { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    enum ChangeCode { WindowChanged = 2 };

    explicit MapControl(QWidget* parent = nullptr);

    void initialise();

    bool CloseDataSource(const QString& name);
    MapDataSource* OpenDataSource(const QString& name, const QString& path);
    QList<MapDataSource*> DataSources() const { return m_document.DataSources(); }
    MapView* AddView(const QString& viewName, const MapTable* table);
    MapView* AddView(const QString& viewName, const MapDataSource* source);

    bool ZoomAll();
    bool ZoomBy(double factor);
    bool ZoomAt(double x, double y, double factor);
    bool SetExtent(double minX, double minY, double maxX, double maxY);
    void Redraw();
    // Shows at least extent widened by the margin of ZoomAll, and reports
    // zoomedToExtent. False (window kept) for an invalid extent.
    bool ZoomToExtent(const MapExtent& extent);

    // The topmost polygon at (x, y) in metres, found among the shapes the
    // views hold; the index is rebuilt once after each change of the map's data.
    PlotHitTest::Hit hitAt(double x, double y);
    // Tooltip text for a polygon under the resting pointer; "" shows none.
    using Identifier = std::function<QString(const PlotHitTest::Hit&)>;
    void setIdentifier(Identifier identifier) { m_identifier = std::move(identifier); }
    // Outlines the shapes of the table read from shpPath (matched as
    // MapTableLookup::find does) in the highlight colour; "" outlines none.
    void setHighlightedFile(const QString& shpPath);
    QString highlightedFile() const { return m_highlighted; }
    // The outline colour of the highlighted plot, over a dark edge.
    static QColor highlightColour() { return MapHighlight::colour(); }

    // Scale denominator n of 1:n (56700 / twips per metre of the widget).
    double Scale() const { return m_document.Scale(); }
    // A denominator <= 0 is ignored and the scale kept; returns whether it was taken.
    bool setScale(qint32 denominator);
    double MinX() const { return m_document.MinX(); }
    double MinY() const { return m_document.MinY(); }
    double MaxX() const { return m_document.MaxX(); }
    double MaxY() const { return m_document.MaxY(); }

    // Draws the map showing at least (xMin, yMin)-(xMax, yMax) into
    // targetRect, given in the painter's current coordinates (device pixels
    // for a plain printer or image painter). The widget's own window does not
    // change. False, with nothing painted, when there is no data, the
    // rectangle is empty or the extent has neither width nor height.
    bool DrawToDC(QPainter& painter, double xMin, double yMin, double xMax, double yMax,
                  const QRect& targetRect) const;

    MapDocument& document() { return m_document; }
    const MapDocument& document() const { return m_document; }
    const MapStyle& style() const { return m_style; }
    // The plot labels drawn over the map when shown; callers Redraw() after a change.
    PlotLabels& labels() { return m_labels; }
    const PlotLabels& labels() const { return m_labels; }
    // Shapes the last paint of the widget drew.
    qint64 shapesDrawnLastPaint() const { return m_shapesDrawn; }

signals:
    // A mouse press at map coordinates (x, y) in metres; button is a MouseButtonCode.
    void mouseEvent(double x, double y, int button);
    // The map's change event; code WindowChanged: the visible window has changed.
    void mapChanged(int code);
    // The wheel or a box changed the scale, and has redrawn the map.
    void zoomedByMouse();
    // A drag with the left button moved the map, and has redrawn it.
    void pannedByMouse();
    // A left double click at map coordinates (x, y), the ground of its first click.
    void doubleClicked(double x, double y);
    // ZoomToExtent changed the window and has redrawn the map.
    void zoomedToExtent();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Pending, Panning, Box };
    void endDrag();
    void paintHighlight(QPainter& painter);

    // Runs a change of the window and reports it when the window moved.
    template <typename Change> bool changeWindow(Change change);

    MapDocument m_document;
    MapStyle m_style;
    RenderCache m_renderCache; // the shapes as last drawn, for repaints and pans
    PlotLabels m_labels;
    bool m_shown = false;
    Drag m_drag = Drag::None;
    QPoint m_pressPos;         // where the left button went down, in pixels
    QPoint m_lastPos;          // where the drag was last seen
    MapExtent m_windowAtPress; // put back by Esc
    int m_wheelAngle = 0;      // eighths of a degree not yet turned into zoom steps
    qint64 m_shapesDrawn = 0;
    QPointF m_clickWorld;      // ground of the last left click, for a double click
    QPoint m_clickPixel{-1000000, -1000000}; // where that click was
    PlotHitTest m_hitTest;
    std::pair<qint64, int> m_hitTestStamp{-1, -1}; // openings and views it was built on
    Identifier m_identifier;
    QString m_highlighted;
};
