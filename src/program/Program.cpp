#include "Program.h"

#include "Artwork.h"
#include "Clock.h"
#include "DesktopAddressOpener.h"
#include "DialogPrompter.h"
#include "FolderClaim.h"
#include "Form1.h"
#include "ProgramInfo.h"
#include "SystemPrinterService.h"
#include "Typefaces.h"
#include "XdgFileAssociations.h"

#include <QApplication>

struct Program::DesktopServices
{
    DialogPrompter prompter;
    SystemPrinterService printers{prompter};
    SystemClock clock;
    DesktopAddressOpener addressOpener;
    XdgFileAssociations fileAssociations;

    ProgramServices services()
    {
        return {prompter, printers, clock, addressOpener, fileAssociations};
    }
};

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
    : Program(folderHoldingMedFiles, std::make_unique<DesktopServices>(), nullptr)
{}

Program::Program(const QString &folderHoldingMedFiles, const ProgramServices &services)
    : Program(folderHoldingMedFiles, nullptr, &services)
{}

Program::Program(const QString &folderHoldingMedFiles, std::unique_ptr<DesktopServices> desktop,
                 const ProgramServices *given)
    : m_desktop(std::move(desktop)), m_services(given ? *given : m_desktop->services()),
      m_measurer(Form1Ui::standardFont()), m_folder(folderHoldingMedFiles)
{}

Program::~Program() = default;

bool Program::start()
{
    if (!FolderClaim::claim(m_store, m_lock, m_services.prompter))
        return false;
    m_window = std::make_unique<Form1>(
        MainWindowParts{m_list, m_history, m_store, m_listCommands, m_rowCommands, m_printCommand,
                        m_services.clock, m_services.prompter, m_services.addressOpener,
                        m_services.fileAssociations, m_services.printers, m_measurer});
    if (m_desktop) {
        m_desktop->prompter.setParent(m_window.get());
        // The window opened fitted to what was known of the printer; it
        // follows the page width once the print server has told it.
        QObject::connect(&m_desktop->printers, &SystemPrinterService::printServerAnswered,
                         m_window.get(), &Form1::SetColumnWidths);
    }
    m_window->show();
    return true;
}
