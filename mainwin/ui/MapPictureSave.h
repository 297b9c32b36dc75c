#pragma once

#include <QString>

class MapControl;
class QWidget;
struct ProgramState;

// "Karte als Bild speichern…": asks for a file name (".png" added when the
// name has no such ending) and saves the map's visible window as a picture
// of the map's size on screen. Tells the user when the map shows nothing or
// the file could not be written; cancelling does nothing. Returns whether a
// picture was saved.
bool saveMapPicture(QWidget* parent, const ProgramState& state, const MapControl& map,
                    const QString& title);
