#include "arx/host/AcEdCommandStack.h"

#include "arx/lisp/LispValue.h"

ACRX_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject)

namespace {

std::string upper(const char* text)
{
  return lispUpper(text != nullptr ? text : "");
}

} // namespace

Acad::ErrorStatus AcEdCommandStack::addCommand(const char* group, const char* globalName,
                                               const char* localName, int flags,
                                               AcRxFunctionPtr function, AcEdUIContext* uiContext,
                                               int fcode, HINSTANCE__* hResource,
                                               AcEdCommand** ppCommand)
{
  (void)uiContext;
  (void)hResource;
  if (ppCommand != nullptr)
    *ppCommand = nullptr;
  if (group == nullptr || *group == 0 || globalName == nullptr || *globalName == 0 ||
      function == nullptr)
    return Acad::eInvalidInput;
  std::string groupName = upper(group);
  std::string global = upper(globalName);
  for (const AcEdCommand* c : m_commands) {
    if (upper(c->group.c_str()) == groupName && c->globalName == global)
      return Acad::eDuplicateKey;
  }
  auto* command = new AcEdCommand;
  command->group = group;
  command->globalName = global;
  command->localName = localName != nullptr && *localName != 0 ? upper(localName) : global;
  command->flags = flags;
  command->function = function;
  command->functionCode = fcode;
  m_commands.push_back(command);
  if (ppCommand != nullptr)
    *ppCommand = command;
  return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const char* group, const char* globalName)
{
  std::string groupName = upper(group);
  std::string global = upper(globalName);
  for (auto it = m_commands.begin(); it != m_commands.end(); ++it) {
    if (upper((*it)->group.c_str()) == groupName && (*it)->globalName == global) {
      delete *it;
      m_commands.erase(it);
      return Acad::eOk;
    }
  }
  return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const char* group)
{
  std::string groupName = upper(group);
  bool found = false;
  for (auto it = m_commands.begin(); it != m_commands.end();) {
    if (upper((*it)->group.c_str()) == groupName) {
      delete *it;
      it = m_commands.erase(it);
      found = true;
    } else {
      ++it;
    }
  }
  return found ? Acad::eOk : Acad::eKeyNotFound;
}

AcEdCommand* AcEdCommandStack::lookupCmd(const char* name) const
{
  std::string wanted = upper(name);
  for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it) {
    if ((*it)->globalName == wanted || (*it)->localName == wanted)
      return *it;
  }
  return nullptr;
}

std::vector<const AcEdCommand*> AcEdCommandStack::groupCommands(const char* group) const
{
  std::string groupName = upper(group);
  std::vector<const AcEdCommand*> out;
  for (const AcEdCommand* c : m_commands) {
    if (upper(c->group.c_str()) == groupName)
      out.push_back(c);
  }
  return out;
}

AcEdCommandStack* acedRegCmds()
{
  static AcEdCommandStack* const stack = [] {
    auto* s = new AcEdCommandStack;
    acrxSysRegistry()->atPut(ACRX_COMMAND_DOCK, s);
    return s;
  }();
  return stack;
}
