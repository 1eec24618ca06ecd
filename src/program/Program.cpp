#include "Program.h"

#include "Artwork.h"
#include "FolderClaim.h"
#include "Form1.h"
#include "ProgramInfo.h"
#include "Typefaces.h"

#include <QApplication>

void Program::setUpApplication()
{
    QApplication::setApplicationName(ProgramInfo::title());
    QApplication::setApplicationVersion(ProgramInfo::version());
    // The calendar and the About box take the program's icon from here.
    QApplication::setWindowIcon(Artwork::windowIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Pillora"));
    Typefaces::installSubstitutions();
}

Program::Program(const QString &folderHoldingMedFiles)
    : m_measurer(Form1Ui::standardFont()), m_folder(folderHoldingMedFiles)
{}

Program::~Program() = default;

bool Program::start()
{
    if (!FolderClaim::claim(m_store, m_lock, m_prompter))
        return false;
    m_window = std::make_unique<Form1>(MainWindowParts{
        m_list, m_history, m_store, m_listCommands, m_rowCommands, m_printCommand, m_clock,
        m_prompter, m_addressOpener, m_fileAssociations, m_printers, m_measurer});
    m_prompter.setParent(m_window.get());
    // The window opened fitted to what was known of the printer; it follows
    // the page width once the print server has told it.
    QObject::connect(&m_printers, &SystemPrinterService::printServerAnswered, m_window.get(),
                     &Form1::SetColumnWidths);
    m_window->show();
    return true;
}
