// AcEdCommandStack: the host's registered commands, in named groups. Registered in
// the system registry under "ACAD_REGISTERED_COMMANDS"; its class is in the class
// dictionary as "AcEdCommandStack".
#pragma once

#include "arx/db/AcadErrorStatus.h"
#include "arx/rx/AcRxDictionary.h"

#include <string>
#include <vector>

class AcEdUIContext;
typedef void (*AcRxFunctionPtr)();
struct HINSTANCE__;

// Command flags.
#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001

// One registered command.
struct AcEdCommand {
  std::string group;      // its group name
  std::string globalName; // the name it is found under (upper case)
  std::string localName;  // the localised name (upper case)
  int flags;              // ACRX_CMD_* flags
  AcRxFunctionPtr function;
  int functionCode; // handed back to nobody; kept as given
};

class AcEdCommandStack : public AcRxObject {
public:
  ACRX_DECLARE_MEMBERS(AcEdCommandStack)

  // Adds a command to `group` (created on first use). Names are compared
  // case-insensitively; a global name already in the group is refused with
  // eDuplicateKey. Empty names or a null function give eInvalidInput.
  Acad::ErrorStatus addCommand(const char* group, const char* globalName, const char* localName,
                               int flags, AcRxFunctionPtr function,
                               AcEdUIContext* uiContext = nullptr, int fcode = -1,
                               HINSTANCE__* hResource = nullptr, AcEdCommand** ppCommand = nullptr);
  // Removes a command of the group; eKeyNotFound if the group has no such command.
  Acad::ErrorStatus removeCmd(const char* group, const char* globalName);
  // Removes the group with all its commands; eKeyNotFound if there is no such group.
  Acad::ErrorStatus removeGroup(const char* group);
  // The command found under `name` (global or local, any case, in any group; the
  // group added last wins), or null.
  AcEdCommand* lookupCmd(const char* name) const;
  // The commands of a group, in the order they were added (empty if none).
  std::vector<const AcEdCommand*> groupCommands(const char* group) const;

private:
  std::vector<AcEdCommand*> m_commands; // every command, in the order added; owned
};

// The command stack of the system registry (created with the host).
AcEdCommandStack* acedRegCmds();
