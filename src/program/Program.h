#pragma once

#include "DataFolder.h"
#include "FontTextMeasurer.h"
#include "InstanceLock.h"
#include "ListCommands.h"
#include "ListHistory.h"
#include "ListStore.h"
#include "MedicationList.h"
#include "PrintCommand.h"
#include "RowCommands.h"

#include <memory>

class AddressOpener;
class Clock;
class FileAssociations;
class Form1;
class PrinterService;
class Prompter;

// What the program reaches the desktop through: questions and messages, the
// printers, today's date, opening addresses and file associations.
struct ProgramServices
{
    Prompter &prompter;
    PrinterService &printers;
    const Clock &clock;
    AddressOpener &addressOpener;
    const FileAssociations &fileAssociations;
};

// The one place where the program's parts are made: every service, the data
// folder with its lock, the store, the open list and the commands, each
// once, in the order they need each other. The main window takes them by
// reference. The window's module (WindowModuleMain.cpp) starts it here.
class Program
{
public:
    // What the running application carries before any window: its name
    // (which names the user's data folder), version, icon and typefaces.
    static void setUpApplication();

    // On the desktop's own services.
    explicit Program(const QString &folderHoldingMedFiles);
    // On services that the caller makes and keeps, as tests do.
    Program(const QString &folderHoldingMedFiles, const ProgramServices &services);
    ~Program();

    // Makes sure the data folder exists, claims it and shows the main
    // window. False, once the user has been told or asked, when another copy
    // of the program holds the folder.
    bool start();
    Form1 &window() { return *m_window; }

private:
    struct DesktopServices;
    Program(const QString &folderHoldingMedFiles, std::unique_ptr<DesktopServices> desktop,
            const ProgramServices *given);

    // Made first: it starts asking the print server for the page width
    // while the rest is built. Null when the caller gave the services.
    std::unique_ptr<DesktopServices> m_desktop;
    ProgramServices m_services;
    FontTextMeasurer m_measurer;
    DataFolder m_folder;
    InstanceLock m_lock{m_folder};
    ListStore m_store{m_folder};
    MedicationList m_list;
    ListHistory m_history{m_list};
    ListCommands m_listCommands{m_list, m_store, m_services.prompter, m_history};
    RowCommands m_rowCommands{m_list, m_history, m_services.prompter, m_services.addressOpener};
    PrintCommand m_printCommand{m_list, m_services.printers, m_measurer, m_services.clock,
                                m_services.prompter};
    std::unique_ptr<Form1> m_window;
};
