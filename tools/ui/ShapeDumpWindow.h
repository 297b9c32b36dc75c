#pragma once

#include "ShapeDump.h"

#include <QPrinterInfo>
#include <QWidget>

#include <functional>

class QListWidget;
class QPushButton;
class TextCatalogue;
struct TextKey;

// The dialogs and the printer choice of Form1, one std::function each, so
// that a test can answer them in advance instead of meeting a modal dialog.
// The defaults are the real dialogs and the system's default printer.
struct ShapeDumpDialogs {
    // Asks for the shapefile to list; "" when the user cancels.
    std::function<QString(QWidget* parent)> chooseShapefile;
    // Asks for the PDF file to print into when there is no printer; "" when
    // the user cancels.
    std::function<QString(QWidget* parent)> choosePdfFile;
    // The printer Command1 prints on; a null printer means "none installed".
    std::function<QPrinterInfo()> defaultPrinter;
    // Shows an operating error (critical icon).
    std::function<void(QWidget* parent, const QString& title, const QString& text)> showError;

    static ShapeDumpDialogs system();
};

// Form1, the shapefile dump window: lists the header, the first polygon and the first index
// entry of one shapefile in lst1; Command1 prints the list. A problem with the
// file ends the listing with one line from the text catalogue.
class ShapeDumpWindow : public QWidget {
    Q_OBJECT
public:
    explicit ShapeDumpWindow(QWidget* parent = nullptr);

    // The catalogue the problem lines, the caption and the button's text come
    // from, in language sprache. Without one (or for a key it lacks) the
    // English texts of ShapeDump, "Form1" and "Command1" are used.
    void setCatalogue(const TextCatalogue* catalogue, int sprache);

    // The main file (".shp") to list; "" means ask when loading.
    void setFile(const QString& shpPath)
    {
        m_file = shpPath;
        showTitle();
    }
    // The program folder: the file dialogs start there and the PDF file is
    // suggested there, named after the shapefile.
    void setProgramFolder(const QString& folder);
    QString suggestedPdfFile() const;
    QString file() const { return m_file; }

    ShapeDumpDialogs& dialogs() { return m_dialogs; }

    // Window load: asks for a file when none is set (nothing is listed when the
    // user cancels), then fills lst1. Returns false when nothing was listed or
    // the listing ended at a problem.
    bool load();
    // The result of the last load.
    const ShapeDump::Result& result() const { return m_result; }

    // Reverselong (ShapeDump.h), also a public operation of the window.
    static double Reverselong(double& x) { return ShapeDump::Reverselong(x); }

    // Command1's click: prints every line of lst1 on the default printer, or,
    // without one, into a PDF file that the user names. Returns the pages
    // printed, 0 when there was nothing to print or the user cancelled, -1 on
    // failure (after the message).
    int print();

    // The text of a catalogue key with the English template as fallback, its
    // placeholders filled from result.
    QString problemText(const ShapeDump::Result& result) const;

private:
    void showTitle();
    QString catalogueText(const TextKey& key, const QString& english) const;

    QListWidget* m_lst1 = nullptr;
    QPushButton* m_command1 = nullptr;
    const TextCatalogue* m_catalogue = nullptr;
    int m_sprache = 1;
    QString m_file;
    QString m_programFolder;
    QString m_caption = QStringLiteral("Form1");
    ShapeDump::Result m_result;
    ShapeDumpDialogs m_dialogs;
};
