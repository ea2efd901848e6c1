#include "arx/host/AcApDocument.h"

#include "arx/db/AcDbDatabase.h"
#include "arx/host/AcRxDynamicLinker.h"
#include "arx/host/HostLispBridge.h"
#include "arx/lisp/LispEnvironment.h"

#include <algorithm>

AcApDocument::AcApDocument(AcDbDatabase* database, const char* fileName)
    : m_database(database), m_fileName(fileName != nullptr ? fileName : ""),
      m_lispHost(new HostLispBridge(this)), m_lisp(new LispEnvironment(m_lispHost.get()))
{
}

AcApDocument::~AcApDocument()
{
  m_lisp.reset();
  delete m_database;
}

AcApDocument* AcApDocManager::openDocument(const char* path, std::string* error)
{
  AcDbDatabase* database = nullptr;
  std::string name;
  if (path != nullptr) {
    database = new AcDbDatabase(false, true);
    Acad::ErrorStatus es = database->readDwgFile(path);
    if (es != Acad::eOk) {
      if (error != nullptr) {
        *error = database->readError();
        if (error->empty())
          *error = std::string(path) + ": cannot be read (status " + std::to_string(es) + ")";
      }
      delete database;
      return nullptr;
    }
    name = path;
  } else {
    database = new AcDbDatabase();
    name = "Drawing" + std::to_string(++m_untitled) + ".dwg";
  }
  auto* doc = new AcApDocument(database, name.c_str());
  m_documents.push_back(doc);
  m_current = doc;
  acrxDynamicLinker->announceDocument(doc);
  return doc;
}

void AcApDocManager::closeDocument(AcApDocument* doc)
{
  auto it = std::find(m_documents.begin(), m_documents.end(), doc);
  if (it == m_documents.end())
    return;
  acrxDynamicLinker->broadcast(AcRx::kUnloadDwgMsg, doc);
  m_documents.erase(std::find(m_documents.begin(), m_documents.end(), doc));
  if (m_current == doc)
    m_current = m_documents.empty() ? nullptr : m_documents.back();
  delete doc;
}

void AcApDocManager::closeAll()
{
  while (!m_documents.empty())
    closeDocument(m_documents.back());
}

bool AcApDocManager::setCurDocument(AcApDocument* doc)
{
  if (std::find(m_documents.begin(), m_documents.end(), doc) == m_documents.end())
    return false;
  m_current = doc;
  return true;
}

AcApDocManager* acDocManagerPtr()
{
  static AcApDocManager manager;
  return &manager;
}

AcApDocument* curDoc()
{
  return acDocManager->curDocument();
}
