// The themes of the toolkit's themed controls: a theme object draws one
// kind of control in one look; a factory per control class makes it and
// owns the current one; one registry per process holds the factory every
// control of a class shares; a theme client (second base of a themed
// control) binds the control to its factory and may give it a private one.
#pragma once

#include "framework.h"

class CTkThemeClient;
class CTkThemeManagerStyleFactory;

class CTkThemeStyleBase {
 public:
  CTkThemeStyleBase() = default;
  virtual ~CTkThemeStyleBase() = default;
  CTkThemeStyleBase(const CTkThemeStyleBase&) = delete;
  CTkThemeStyleBase& operator=(const CTkThemeStyleBase&) = delete;

  // Reads colours and metrics again.
  virtual void RefreshMetrics() {}

  CTkThemeManagerStyleFactory* m_pFactory = nullptr;
  int m_nTheme = 0;
};

class CTkThemeManagerStyleFactory : public CObject {
  DECLARE_DYNCREATE(CTkThemeManagerStyleFactory)
 public:
  CTkThemeManagerStyleFactory();
  ~CTkThemeManagerStyleFactory() override;
  CTkThemeManagerStyleFactory(const CTkThemeManagerStyleFactory&) = delete;
  CTkThemeManagerStyleFactory& operator=(const CTkThemeManagerStyleFactory&) = delete;

  // A new theme object for the number, or null.
  virtual CTkThemeStyleBase* CreateTheme(int theme);
  virtual void RefreshMetrics();

  // The current theme, made for the registry's number on first use.
  CTkThemeStyleBase* GetTheme();
  // Replaces the current theme (the factory owns the new one) and tells
  // every client.
  void SetTheme(CTkThemeStyleBase* theme);

  void AddClient(CTkThemeClient* client);
  void RemoveClient(CTkThemeClient* client);
  BOOL HasClient(const CTkThemeClient* client) const;

  CTkThemeStyleBase* m_pTheme = nullptr;
  CTkThemeClient* m_pFirstClient = nullptr;
  CTkThemeManagerStyleFactory* m_pNextFactory = nullptr;
};

class CTkThemeRegistry {
 public:
  CTkThemeRegistry() = default;
  ~CTkThemeRegistry();
  CTkThemeRegistry(const CTkThemeRegistry&) = delete;
  CTkThemeRegistry& operator=(const CTkThemeRegistry&) = delete;

  // The shared factory of the class, made on first use; null when the
  // class cannot make a factory.
  CTkThemeManagerStyleFactory* GetFactory(CRuntimeClass* factoryClass);
  int GetThemeNumber() const { return m_nTheme; }

  void LinkFactory(CTkThemeManagerStyleFactory* factory);
  void UnlinkFactory(CTkThemeManagerStyleFactory* factory);

  CMapPtrToPtr m_factories;
  int m_nTheme = 0;
  CTkThemeManagerStyleFactory* m_pFirstFactory = nullptr;
};

// The process's registry, made on first use.
CTkThemeRegistry* GetThemeRegistry();

class CTkThemeClient {
 public:
  explicit CTkThemeClient(CRuntimeClass* factoryClass);
  virtual ~CTkThemeClient();
  CTkThemeClient(const CTkThemeClient&) = delete;
  CTkThemeClient& operator=(const CTkThemeClient&) = delete;

  void AttachFactoryClass(CRuntimeClass* factoryClass);
  CTkThemeManagerStyleFactory* GetFactory() const {
    return m_pPrivateFactory != nullptr ? m_pPrivateFactory : m_pSharedFactory;
  }
  CTkThemeStyleBase* GetTheme() const;
  // A theme of this control's own (the client's factory owns it), or null
  // to go back to the theme every control of the class shares.
  void SetTheme(CTkThemeStyleBase* theme);

  virtual CTkThemeManagerStyleFactory* CreateFactory();
  virtual void OnThemeChanged() {}

  // Themed controls call this first for every message: the look follows
  // setting and colour changes.
  void RefreshThemeFor(UINT message);

  BOOL m_bOwnsPrivateFactory = FALSE;
  CRuntimeClass* m_pFactoryClass = nullptr;
  CTkThemeManagerStyleFactory* m_pPrivateFactory = nullptr;
  CTkThemeManagerStyleFactory* m_pSharedFactory = nullptr;
  CTkThemeClient* m_pNextClient = nullptr;
};
