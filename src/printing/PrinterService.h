#pragma once

#include <QString>
#include <QStringList>

// What the program asks of the printing system: the installed printers, one
// current printer for the whole program, and a page on which text is written
// at a current position. Every position and size is in twips from the
// top-left corner of the drawing area; font sizes are in points.
//
// The first output after a printer was chosen or a document ended starts a
// new document. Output that fails, or that the user calls off when asked
// where it goes, is dropped; endDocument() then tells which it was.
class PrinterService
{
public:
    enum Orientation
    {
        Portrait = 1,
        Landscape = 2
    };

    virtual ~PrinterService() = default;

    // The installed printers' device names in the system's order, asked
    // anew on each call, so a printer that went away is no longer listed.
    virtual QStringList installedPrinters() const = 0;
    // Makes the named printer current for every later document.
    virtual void setCurrentPrinter(const QString &deviceName) = 0;
    // Empty while there is no printer at all.
    virtual QString currentPrinter() const = 0;

    virtual Orientation orientation() const = 0;
    // Applies to the next document.
    virtual void setOrientation(Orientation orientation) = 0;
    // The paper width for the current printer and orientation; 0 when there
    // is no printer.
    virtual int pageWidth() const = 0;
    // The height of the drawing area.
    virtual double printableHeight() const = 0;

    virtual double x() const = 0;
    virtual void setX(double x) = 0;
    virtual double y() const = 0;
    virtual void setY(double y) = 0;

    virtual double fontSize() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setBold(bool bold) = 0;

    // The name the next document carries: the job's title, and the file
    // name offered when the document is saved as a file.
    virtual void setDocumentName(const QString &name) = 0;

    // Draws text with its top-left corner at (x, y); x moves to just right
    // of it.
    virtual void printAndStay(const QString &text) = 0;
    // The same, then x = 0 and y moves down one line of the current font.
    virtual void printAndEndLine(const QString &text = {}) = 0;
    // A black line; the current position is neither used nor moved.
    virtual void line(double x1, double y1, double x2, double y2) = 0;

    // 1 on the first page of a document.
    virtual int pageNumber() const = 0;
    // Ends the page; x = 0, y = 0.
    virtual void newPage() = 0;

    // Sends the document; true also when none was started. False when
    // nothing was sent: errorString() then gives the reason, or is empty when
    // the user called the document off. A document that failed stays failed,
    // and drops all output, until it is aborted.
    virtual bool endDocument() = 0;
    virtual QString errorString() const = 0;
    // Discards the document and its failure; ending it afterwards sends
    // nothing, and the next output starts a new document.
    virtual void abortDocument() = 0;
};
