#pragma once

#include "LayerDisplay.h"

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class MapControl;
class PictureBox;
struct ProgramState;

// The central part of the main window: the picture box pichaupt with the map
// tplhaupt, the distance ruler and the status controls (area and scale). It
// navigates the map, shows what the field and GPS windows stage and keeps
// the scale box, the ruler and the status bar in step with the map.
class MapPanel : public QObject {
    Q_OBJECT
public:
    MapPanel(ProgramState& state, QMainWindow& window);

    MapControl* map() const { return m_map; }
    // Empties the map and fills the scale list (the load sequence).
    void initialise();
    // Places map and status controls in the picture box.
    void layoutPicture();

    // Navigation, all acting on the map control.
    void anzeigezoomen(double factor); // 0 all, > 1 in, < 1 out
    void anzeigelinks(int percent);
    void anzeigerechts(int percent);
    void anzeigeoben(int percent);
    void anzeigeunten(int percent);
    void massstabsetzen(qint32 scale);
    void linealanzeigen();

    // Releases the map's data source before the staging folder is refilled.
    void releaseMap();
    // Shows what the staging folder (or one shapefile) holds: one view per
    // table in colours[k] for table k (ascending base names), zoomed to all,
    // the scale in the scale box. Damaged files are left out and named in a
    // message. False when nothing could be opened (map and boxes unchanged).
    // The wait pointer shows while the files are read.
    bool displayLayers(const QString& path, const QList<qint64>& colours);
    bool displayFiles(const QString& path, const QList<MapDataSource::ShapefileEntry>& files,
                      const QList<qint64>& colours);
    bool presentLayers(const LayerDisplay::Result& result);
    // Writes the scale denominator and the area total into the status boxes.
    void showScale(qint64 scale);
    void showArea(double hectares);
    // What the scale box (cbomassstab) and the area box (txtflaeche) show.
    QString scaleBoxText() const;
    QString areaBoxText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void pan(int direction, int percent);
    void onScaleTextEdited(const QString& text);
    void applyTypedScale();
    // Says in the status bar when no plot lies in the visible window.
    void reportVisibility();

    ProgramState& m_state;
    QMainWindow& m_window;
    // pichaupt with tplhaupt; the status controls panflaeche, txtflaeche,
    // panmassstab and cbomassstab.
    PictureBox* m_picture = nullptr;
    MapControl* m_map = nullptr;
    QLabel* m_areaLabel = nullptr;
    QLineEdit* m_areaBox = nullptr;
    QLabel* m_scaleLabel = nullptr;
    QComboBox* m_scaleBox = nullptr;
    bool m_viewFitted = false; // the map shows everything, not moved by the user since
    qint64 m_lastScale = 0;    // the scale last applied or shown, for a refused entry
};
