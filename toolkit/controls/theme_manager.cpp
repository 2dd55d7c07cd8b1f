#include "theme_manager.h"

namespace {

CTkThemeRegistry* ThemeRegistry = nullptr;

// Takes item out of the chain that starts at *head and runs through next.
template <class T>
void Unchain(T** head, T* item, T* T::*next) {
  for (T** link = head; *link != nullptr; link = &((*link)->*next)) {
    if (*link == item) {
      *link = item->*next;
      item->*next = nullptr;
      return;
    }
  }
}

// The registry goes with the process's static objects; whatever asks
// for it afterwards gets a new one.
struct RegistryRelease {
  ~RegistryRelease() {
    delete ThemeRegistry;
    ThemeRegistry = nullptr;
  }
} registryRelease;

}  // namespace

CTkThemeRegistry* GetThemeRegistry() {
  if (ThemeRegistry == nullptr) ThemeRegistry = new CTkThemeRegistry;
  return ThemeRegistry;
}

IMPLEMENT_DYNCREATE(CTkThemeManagerStyleFactory, CObject)

CTkThemeManagerStyleFactory::CTkThemeManagerStyleFactory() { GetThemeRegistry()->LinkFactory(this); }

CTkThemeManagerStyleFactory::~CTkThemeManagerStyleFactory() {
  // Clients still bound (controls outliving the process's registry) must
  // not reach this factory any more.
  while (m_pFirstClient != nullptr) {
    CTkThemeClient* client = m_pFirstClient;
    m_pFirstClient = client->m_pNextClient;
    client->m_pNextClient = nullptr;
    if (client->m_pSharedFactory == this) client->m_pSharedFactory = nullptr;
    if (client->m_pPrivateFactory == this) {
      client->m_pPrivateFactory = nullptr;
      client->m_bOwnsPrivateFactory = FALSE;
    }
  }
  delete m_pTheme;
  if (ThemeRegistry != nullptr) ThemeRegistry->UnlinkFactory(this);
}

CTkThemeStyleBase* CTkThemeManagerStyleFactory::CreateTheme(int) { return nullptr; }

void CTkThemeManagerStyleFactory::RefreshMetrics() {
  if (m_pTheme != nullptr) m_pTheme->RefreshMetrics();
}

CTkThemeStyleBase* CTkThemeManagerStyleFactory::GetTheme() {
  if (m_pTheme == nullptr) {
    m_pTheme = CreateTheme(GetThemeRegistry()->GetThemeNumber());
    if (m_pTheme != nullptr) {
      m_pTheme->m_pFactory = this;
      m_pTheme->RefreshMetrics();
    }
  }
  return m_pTheme;
}

void CTkThemeManagerStyleFactory::SetTheme(CTkThemeStyleBase* theme) {
  if (theme == m_pTheme) return;
  delete m_pTheme;
  m_pTheme = theme;
  if (theme != nullptr) {
    theme->m_pFactory = this;
    theme->RefreshMetrics();
  }
  for (CTkThemeClient* client = m_pFirstClient; client != nullptr; client = client->m_pNextClient)
    client->OnThemeChanged();
}

void CTkThemeManagerStyleFactory::AddClient(CTkThemeClient* client) {
  if (HasClient(client)) return;
  client->m_pNextClient = m_pFirstClient;
  m_pFirstClient = client;
}

void CTkThemeManagerStyleFactory::RemoveClient(CTkThemeClient* client) {
  Unchain(&m_pFirstClient, client, &CTkThemeClient::m_pNextClient);
}

BOOL CTkThemeManagerStyleFactory::HasClient(const CTkThemeClient* client) const {
  for (const CTkThemeClient* each = m_pFirstClient; each != nullptr; each = each->m_pNextClient)
    if (each == client) return TRUE;
  return FALSE;
}

CTkThemeRegistry::~CTkThemeRegistry() {
  // Shared factories end here; private ones belong to their controls.
  POSITION pos = m_factories.GetStartPosition();
  while (pos != nullptr) {
    void* key = nullptr;
    void* value = nullptr;
    m_factories.GetNextAssoc(pos, key, value);
    UnlinkFactory(static_cast<CTkThemeManagerStyleFactory*>(value));
    delete static_cast<CTkThemeManagerStyleFactory*>(value);
  }
  m_factories.RemoveAll();
  // Factories still alive must not unlink themselves from this object.
  m_pFirstFactory = nullptr;
  if (ThemeRegistry == this) ThemeRegistry = nullptr;
}

CTkThemeManagerStyleFactory* CTkThemeRegistry::GetFactory(CRuntimeClass* factoryClass) {
  if (factoryClass == nullptr) return nullptr;
  void* found = nullptr;
  if (m_factories.Lookup(factoryClass, found)) return static_cast<CTkThemeManagerStyleFactory*>(found);
  if (!factoryClass->IsDerivedFrom(RUNTIME_CLASS(CTkThemeManagerStyleFactory))) return nullptr;
  CObject* made = factoryClass->CreateObject();
  if (made == nullptr) return nullptr;
  auto* factory = static_cast<CTkThemeManagerStyleFactory*>(made);
  m_factories.SetAt(factoryClass, factory);
  return factory;
}

void CTkThemeRegistry::LinkFactory(CTkThemeManagerStyleFactory* factory) {
  factory->m_pNextFactory = m_pFirstFactory;
  m_pFirstFactory = factory;
}

void CTkThemeRegistry::UnlinkFactory(CTkThemeManagerStyleFactory* factory) {
  Unchain(&m_pFirstFactory, factory, &CTkThemeManagerStyleFactory::m_pNextFactory);
}

CTkThemeClient::CTkThemeClient(CRuntimeClass* factoryClass) { AttachFactoryClass(factoryClass); }

CTkThemeClient::~CTkThemeClient() {
  if (CTkThemeManagerStyleFactory* factory = GetFactory()) factory->RemoveClient(this);
  if (m_bOwnsPrivateFactory) delete m_pPrivateFactory;
  m_pPrivateFactory = nullptr;
}

void CTkThemeClient::AttachFactoryClass(CRuntimeClass* factoryClass) {
  if (m_pSharedFactory != nullptr) m_pSharedFactory->RemoveClient(this);
  m_pFactoryClass = factoryClass;
  m_pSharedFactory = GetThemeRegistry()->GetFactory(factoryClass);
  // A client lives in the list of the factory it draws with, only one.
  if (m_pSharedFactory != nullptr && m_pPrivateFactory == nullptr) m_pSharedFactory->AddClient(this);
}

CTkThemeStyleBase* CTkThemeClient::GetTheme() const {
  CTkThemeManagerStyleFactory* factory = GetFactory();
  return factory != nullptr ? factory->GetTheme() : nullptr;
}

void CTkThemeClient::SetTheme(CTkThemeStyleBase* theme) {
  if (m_pPrivateFactory == nullptr && theme == nullptr) return;
  if (CTkThemeManagerStyleFactory* current = GetFactory()) current->RemoveClient(this);
  if (m_bOwnsPrivateFactory) delete m_pPrivateFactory;
  m_pPrivateFactory = nullptr;
  m_bOwnsPrivateFactory = FALSE;
  if (theme != nullptr) {
    CTkThemeManagerStyleFactory* factory = CreateFactory();
    if (factory != nullptr) {
      factory->SetTheme(theme);
      m_pPrivateFactory = factory;
      m_bOwnsPrivateFactory = TRUE;
    } else {
      delete theme;  // nobody could own it
    }
  }
  OnThemeChanged();
  if (CTkThemeManagerStyleFactory* factory = GetFactory()) factory->AddClient(this);
}

CTkThemeManagerStyleFactory* CTkThemeClient::CreateFactory() {
  if (m_pFactoryClass == nullptr || !m_pFactoryClass->IsDerivedFrom(RUNTIME_CLASS(CTkThemeManagerStyleFactory)))
    return nullptr;
  return static_cast<CTkThemeManagerStyleFactory*>(m_pFactoryClass->CreateObject());
}

void CTkThemeClient::RefreshThemeFor(UINT message) {
  if (message != WM_SETTINGCHANGE && message != WM_SYSCOLORCHANGE) return;
  if (CTkThemeStyleBase* theme = GetTheme()) theme->RefreshMetrics();
}
