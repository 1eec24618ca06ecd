#pragma once

#include "Clock.h"
#include "DataFolder.h"
#include "DesktopAddressOpener.h"
#include "DialogPrompter.h"
#include "FontTextMeasurer.h"
#include "InstanceLock.h"
#include "ListCommands.h"
#include "ListHistory.h"
#include "ListStore.h"
#include "MedicationList.h"
#include "PrintCommand.h"
#include "RowCommands.h"
#include "SystemPrinterService.h"
#include "XdgFileAssociations.h"

#include <memory>

class Form1;

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

    explicit Program(const QString &folderHoldingMedFiles);
    ~Program();

    // Makes sure the data folder exists, claims it and shows the main
    // window. False, once the user has been told or asked, when another copy
    // of the program holds the folder.
    bool start();
    Form1 &window() { return *m_window; }

private:
    DialogPrompter m_prompter;
    // Early: it starts asking the print server for the page width while the
    // rest is built.
    SystemPrinterService m_printers{m_prompter};
    SystemClock m_clock;
    DesktopAddressOpener m_addressOpener;
    XdgFileAssociations m_fileAssociations;
    FontTextMeasurer m_measurer;
    DataFolder m_folder;
    InstanceLock m_lock{m_folder};
    ListStore m_store{m_folder};
    MedicationList m_list;
    ListHistory m_history{m_list};
    ListCommands m_listCommands{m_list, m_store, m_prompter, m_history};
    RowCommands m_rowCommands{m_list, m_history, m_prompter, m_addressOpener};
    PrintCommand m_printCommand{m_list, m_printers, m_measurer, m_clock, m_prompter};
    std::unique_ptr<Form1> m_window;
};
