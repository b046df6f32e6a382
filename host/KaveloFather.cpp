#include <PlgKavelo/KaveloFather.h>

#include "ModuleState.h"
#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"
#include "sound/KaveloSoundPlayer.h"
#include "GameClock.h"

namespace kavelo::host {
ModuleState& Module() {
  static ModuleState state;
  return state;
}
}  // namespace kavelo::host

using kavelo::host::Module;

CKaveloFather::CKaveloFather() { Module().currentInstance = this; }

CKaveloFather::~CKaveloFather() {
  // Board first, then the renderer that reads it, then the sounds.
  m_pInternal.reset();
  m_pFigure.reset();
  m_pSoundPlayer.reset();
  kavelo::host::StopClock();
  // No clock callback may reach an object that is gone.
  if (Module().currentInstance == this) Module().currentInstance = nullptr;
}

int CKaveloFather::AllocGdiData(char* pGdiData, int nParam1, int nParam2, int nParam3) {
  m_pGdiData = pGdiData;
  m_nGdiParam1 = nParam1;
  m_nGdiParam2 = nParam2;
  m_nGdiParam3 = nParam3;
  return 0;
}

int CKaveloFather::OnGdiDataChange() { return 0; }
