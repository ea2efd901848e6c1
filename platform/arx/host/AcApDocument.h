// AcApDocument and AcApDocManager: the open drawings of the host. Each document has
// its own database and its own LISP environment: functions that modules define with
// acedDefun exist only in the document they were defined in.
#pragma once

#include <memory>
#include <string>
#include <vector>

class AcDbDatabase;
class LispEnvironment;
class LispHost;

class AcApDocument {
public:
  AcApDocument(AcDbDatabase* database, const char* fileName);
  ~AcApDocument();
  AcApDocument(const AcApDocument&) = delete;
  AcApDocument& operator=(const AcApDocument&) = delete;

  AcDbDatabase* database() const { return m_database; }
  // The drawing file's path, or "Drawing1.dwg" style name for a new drawing.
  const char* fileName() const { return m_fileName.c_str(); }
  LispEnvironment& lisp() const { return *m_lisp; }

private:
  AcDbDatabase* m_database;                // owned
  std::string m_fileName;                  // path or generated name
  std::unique_ptr<LispHost> m_lispHost;    // the host as this drawing's LISP sees it
  std::unique_ptr<LispEnvironment> m_lisp; // symbols and functions of this drawing
};

class AcApDocManager {
public:
  // Reads `path` into a new database and opens it as a document (null: a new empty
  // drawing) made current. On a read failure returns null and sets `*error` (if
  // given) to the reason: file, line and group code.
  AcApDocument* openDocument(const char* path, std::string* error = nullptr);
  // Closes `doc`: the modules get kUnloadDwgMsg, its database is deleted. If it was
  // current, the document opened last before it becomes current.
  void closeDocument(AcApDocument* doc);
  void closeAll();

  AcApDocument* curDocument() const { return m_current; }
  bool setCurDocument(AcApDocument* doc);
  int documentCount() const { return static_cast<int>(m_documents.size()); }
  const std::vector<AcApDocument*>& documents() const { return m_documents; }

private:
  std::vector<AcApDocument*> m_documents; // open documents, in opening order; owned
  AcApDocument* m_current = nullptr;      // the current document, or null
  int m_untitled = 0;                     // new drawings made so far (for their names)
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
// The current document, or null.
AcApDocument* curDoc();
