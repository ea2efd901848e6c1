// HostLispBridge: the host as one document's LISP sees it: printing on the command
// line, calling module functions through the invoke message, loading modules, and
// reading that document's symbol tables and entities.
#pragma once

#include "arx/lisp/LispHost.h"

class AcApDocument;

class HostLispBridge : public LispHost {
public:
  explicit HostLispBridge(AcApDocument* document) : m_document(document) {}

  void print(const std::string& text) override;
  LispRef invokeExternal(const LispObject& fn, const LispRef& args) override;
  bool loadModule(const std::string& path) override;
  bool unloadModule(const std::string& path) override;
  LispRef tableRecord(const std::string& table, std::size_t position, std::size_t& next) override;
  LispRef tableSearch(const std::string& table, const std::string& name,
                      std::size_t& next) override;
  LispRef entityNext(const LispRef& entity) override;
  LispRef entityList(const LispRef& entity) override;
  bool isLeadByte(unsigned char byte) const override;

private:
  AcApDocument* m_document; // the document whose LISP this is
};
