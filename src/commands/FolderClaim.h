#pragma once

class InstanceLock;
class ListStore;
class Prompter;

// What start-up does with the data folder before any window opens: makes
// sure it is there, claims it for this copy of the program, and clears what
// saves cut short left in it.
namespace FolderClaim {

// False, once the user has been told or asked, when the program must not go
// on: a running copy on this computer holds the folder, or the user chose
// not to open lists that a copy on another computer may be using.
bool claim(const ListStore &store, InstanceLock &lock, Prompter &prompter);

} // namespace FolderClaim
