// Scripted stand-ins for IDirectDraw7 and IDirectDrawSurface7, for the answers that Wine's real
// DirectDraw cannot be made to give on demand (a refused restore, a blitter that stays busy, a
// short pitch, contents lost across a restore, a refused object or display mode).
//
// Each method the display layer uses answers from its Script: the queued answers first, then
// `otherwise`; it counts its calls and records its arguments. Every other method of the interface
// answers DDERR_UNSUPPORTED and counts as unexpected. The objects live on the test's stack:
// Release only counts, it never deletes.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace fake {

struct Script {
  std::deque<HRESULT> answers;  // answered first, in order
  HRESULT otherwise = DD_OK;    // answered once `answers` is empty
  int calls = 0;

  HRESULT Next();
};

struct BltCall {
  std::optional<RECT> destination;  // none: the whole surface
  bool hasSource;
  DWORD flags;
  DWORD fxSize;
  DWORD fillColour;
};

struct BltFastCall {
  DWORD x;
  DWORD y;
  IDirectDrawSurface7* source;
  RECT sourceRect;
  DWORD flags;
};

class FakeSurface : public IDirectDrawSurface7 {
 public:
  // A surface of width x height 32-bit pixels, backed by a GDI DIB section so that the device
  // context from GetDC draws into the same pixels that Lock hands out.
  FakeSurface(std::int32_t width, std::int32_t height);
  ~FakeSurface();
  FakeSurface(const FakeSurface&) = delete;
  FakeSurface& operator=(const FakeSurface&) = delete;

  // Pixel (x, y) as the surface holds it now (GDI's pending work flushed).
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const;
  void Fill(std::uint32_t colour);

  Script blt, bltFast, flip, getAttachedSurface, getBltStatus, getDc, getSurfaceDesc, isLost, lock,
      releaseDc, unlock;
  std::vector<BltCall> blts;
  std::vector<BltFastCall> bltFasts;
  std::vector<DWORD> flipFlags;
  std::vector<bool> flipOverrides;  // whether each Flip named a target surface
  std::vector<DWORD> attachedCaps;  // dwCaps asked for by each GetAttachedSurface
  std::vector<DWORD> bltStatusFlags;
  std::vector<DWORD> lockFlags;
  std::vector<DWORD> lockDescSizes;  // dwSize of each description passed to Lock
  std::vector<HDC> releasedDcs;
  IDirectDrawSurface7* attached = nullptr;  // what a successful GetAttachedSurface hands out
  LONG lockPitchBytes;                      // lPitch that a successful Lock reports
  DWORD descWidth;                          // what GetSurfaceDesc reports
  DWORD descHeight;
  DWORD descBitsPerPixel = 32;
  int releases = 0;
  int unexpectedCalls = 0;
  HDC dc = nullptr;  // the memory device context GetDC hands out

  // IUnknown
  STDMETHOD_(HRESULT, QueryInterface)(REFIID riid, void** ppvObject) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  // IDirectDrawSurface7
  STDMETHOD(AddAttachedSurface)(LPDIRECTDRAWSURFACE7 lpDDSAttachedSurface) override;
  STDMETHOD(AddOverlayDirtyRect)(LPRECT lpRect) override;
  STDMETHOD(Blt)
  (LPRECT lpDestRect, LPDIRECTDRAWSURFACE7 lpDDSrcSurface, LPRECT lpSrcRect, DWORD dwFlags,
   LPDDBLTFX lpDDBltFx) override;
  STDMETHOD(BltBatch)(LPDDBLTBATCH lpDDBltBatch, DWORD dwCount, DWORD dwFlags) override;
  STDMETHOD(BltFast)
  (DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE7 lpDDSrcSurface, LPRECT lpSrcRect,
   DWORD dwTrans) override;
  STDMETHOD(DeleteAttachedSurface)
  (DWORD dwFlags, LPDIRECTDRAWSURFACE7 lpDDSAttachedSurface) override;
  STDMETHOD(EnumAttachedSurfaces)
  (LPVOID lpContext, LPDDENUMSURFACESCALLBACK7 lpEnumSurfacesCallback) override;
  STDMETHOD(EnumOverlayZOrders)
  (DWORD dwFlags, LPVOID lpContext, LPDDENUMSURFACESCALLBACK7 lpfnCallback) override;
  STDMETHOD(Flip)(LPDIRECTDRAWSURFACE7 lpDDSurfaceTargetOverride, DWORD dwFlags) override;
  STDMETHOD(GetAttachedSurface)
  (LPDDSCAPS2 lpDDSCaps, LPDIRECTDRAWSURFACE7* lplpDDAttachedSurface) override;
  STDMETHOD(GetBltStatus)(DWORD dwFlags) override;
  STDMETHOD(GetCaps)(LPDDSCAPS2 lpDDSCaps) override;
  STDMETHOD(GetClipper)(LPDIRECTDRAWCLIPPER* lplpDDClipper) override;
  STDMETHOD(GetColorKey)(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
  STDMETHOD(GetDC)(HDC* lphDC) override;
  STDMETHOD(GetFlipStatus)(DWORD dwFlags) override;
  STDMETHOD(GetOverlayPosition)(LPLONG lplX, LPLONG lplY) override;
  STDMETHOD(GetPalette)(LPDIRECTDRAWPALETTE* lplpDDPalette) override;
  STDMETHOD(GetPixelFormat)(LPDDPIXELFORMAT lpDDPixelFormat) override;
  STDMETHOD(GetSurfaceDesc)(LPDDSURFACEDESC2 lpDDSurfaceDesc) override;
  STDMETHOD(Initialize)(LPDIRECTDRAW lpDD, LPDDSURFACEDESC2 lpDDSurfaceDesc) override;
  STDMETHOD(IsLost)() override;
  STDMETHOD(Lock)
  (LPRECT lpDestRect, LPDDSURFACEDESC2 lpDDSurfaceDesc, DWORD dwFlags, HANDLE hEvent) override;
  STDMETHOD(ReleaseDC)(HDC hDC) override;
  STDMETHOD(Restore)() override;
  STDMETHOD(SetClipper)(LPDIRECTDRAWCLIPPER lpDDClipper) override;
  STDMETHOD(SetColorKey)(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
  STDMETHOD(SetOverlayPosition)(LONG lX, LONG lY) override;
  STDMETHOD(SetPalette)(LPDIRECTDRAWPALETTE lpDDPalette) override;
  STDMETHOD(Unlock)(LPRECT lpSurfaceData) override;
  STDMETHOD(UpdateOverlay)
  (LPRECT lpSrcRect, LPDIRECTDRAWSURFACE7 lpDDDestSurface, LPRECT lpDestRect, DWORD dwFlags,
   LPDDOVERLAYFX lpDDOverlayFx) override;
  STDMETHOD(UpdateOverlayDisplay)(DWORD dwFlags) override;
  STDMETHOD(UpdateOverlayZOrder)(DWORD dwFlags, LPDIRECTDRAWSURFACE7 lpDDSReference) override;
  STDMETHOD(GetDDInterface)(LPVOID* lplpDD) override;
  STDMETHOD(PageLock)(DWORD dwFlags) override;
  STDMETHOD(PageUnlock)(DWORD dwFlags) override;
  STDMETHOD(SetSurfaceDesc)(LPDDSURFACEDESC2 lpDDSD, DWORD dwFlags) override;
  STDMETHOD(SetPrivateData)(REFGUID tag, LPVOID pData, DWORD cbSize, DWORD dwFlags) override;
  STDMETHOD(GetPrivateData)(REFGUID tag, LPVOID pBuffer, LPDWORD pcbBufferSize) override;
  STDMETHOD(FreePrivateData)(REFGUID tag) override;
  STDMETHOD(GetUniquenessValue)(LPDWORD pValue) override;
  STDMETHOD(ChangeUniquenessValue)() override;
  STDMETHOD(SetPriority)(DWORD prio) override;
  STDMETHOD(GetPriority)(LPDWORD prio) override;
  STDMETHOD(SetLOD)(DWORD lod) override;
  STDMETHOD(GetLOD)(LPDWORD lod) override;

 private:
  HRESULT Unexpected();

  std::int32_t width_;
  std::int32_t height_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;  // top-down rows of width_ pixels
};

struct DisplayMode {
  DWORD width, height, bitsPerPixel, refreshRate, flags;
};

class FakeDirectDraw : public IDirectDraw7 {
 public:
  Script createSurface, restoreAllSurfaces, setCooperativeLevel, setDisplayMode,
      testCooperativeLevel;
  std::deque<IDirectDrawSurface7*> surfaces;  // handed out by successful CreateSurface calls
  std::vector<DDSURFACEDESC2> createdDescs;   // the description of every CreateSurface call
  std::vector<HWND> cooperativeWindows;       // the arguments of every SetCooperativeLevel
  std::vector<DWORD> cooperativeFlags;
  std::vector<DisplayMode> displayModes;  // the arguments of every SetDisplayMode
  int releases = 0;
  int unexpectedCalls = 0;

  // IUnknown
  STDMETHOD_(HRESULT, QueryInterface)(REFIID riid, void** ppvObject) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  // IDirectDraw7
  STDMETHOD(Compact)() override;
  STDMETHOD(CreateClipper)
  (DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpDDClipper, IUnknown* pUnkOuter) override;
  STDMETHOD(CreatePalette)
  (DWORD dwFlags, LPPALETTEENTRY lpColorTable, LPDIRECTDRAWPALETTE* lplpDDPalette,
   IUnknown* pUnkOuter) override;
  STDMETHOD(CreateSurface)
  (LPDDSURFACEDESC2 lpDDSurfaceDesc, LPDIRECTDRAWSURFACE7* lplpDDSurface,
   IUnknown* pUnkOuter) override;
  STDMETHOD(DuplicateSurface)
  (LPDIRECTDRAWSURFACE7 lpDDSurface, LPDIRECTDRAWSURFACE7* lplpDupDDSurface) override;
  STDMETHOD(EnumDisplayModes)
  (DWORD dwFlags, LPDDSURFACEDESC2 lpDDSurfaceDesc, LPVOID lpContext,
   LPDDENUMMODESCALLBACK2 lpEnumModesCallback) override;
  STDMETHOD(EnumSurfaces)
  (DWORD dwFlags, LPDDSURFACEDESC2 lpDDSD, LPVOID lpContext,
   LPDDENUMSURFACESCALLBACK7 lpEnumSurfacesCallback) override;
  STDMETHOD(FlipToGDISurface)() override;
  STDMETHOD(GetCaps)(LPDDCAPS lpDDDriverCaps, LPDDCAPS lpDDHELCaps) override;
  STDMETHOD(GetDisplayMode)(LPDDSURFACEDESC2 lpDDSurfaceDesc) override;
  STDMETHOD(GetFourCCCodes)(LPDWORD lpNumCodes, LPDWORD lpCodes) override;
  STDMETHOD(GetGDISurface)(LPDIRECTDRAWSURFACE7* lplpGDIDDSurface) override;
  STDMETHOD(GetMonitorFrequency)(LPDWORD lpdwFrequency) override;
  STDMETHOD(GetScanLine)(LPDWORD lpdwScanLine) override;
  STDMETHOD(GetVerticalBlankStatus)(WINBOOL* lpbIsInVB) override;
  STDMETHOD(Initialize)(GUID* lpGUID) override;
  STDMETHOD(RestoreDisplayMode)() override;
  STDMETHOD(SetCooperativeLevel)(HWND hWnd, DWORD dwFlags) override;
  STDMETHOD(SetDisplayMode)
  (DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate, DWORD dwFlags) override;
  STDMETHOD(WaitForVerticalBlank)(DWORD dwFlags, HANDLE hEvent) override;
  STDMETHOD(GetAvailableVidMem)(LPDDSCAPS2 lpDDCaps, LPDWORD lpdwTotal, LPDWORD lpdwFree) override;
  STDMETHOD(GetSurfaceFromDC)(HDC hdc, LPDIRECTDRAWSURFACE7* pSurf) override;
  STDMETHOD(RestoreAllSurfaces)() override;
  STDMETHOD(TestCooperativeLevel)() override;
  STDMETHOD(GetDeviceIdentifier)(LPDDDEVICEIDENTIFIER2 pDDDI, DWORD dwFlags) override;
  STDMETHOD(StartModeTest)(LPSIZE pModes, DWORD dwNumModes, DWORD dwFlags) override;
  STDMETHOD(EvaluateMode)(DWORD dwFlags, DWORD* pTimeout) override;

 private:
  HRESULT Unexpected();
};

// The test executable's DirectDrawCreateEx answers from `directDrawCreate`; a success hands out
// `directDraw`. Each call records whether it asked for IDirectDraw7 of the default driver without
// an outer object, as the display layer must.
extern Script directDrawCreate;
extern FakeDirectDraw* directDraw;
extern std::vector<bool> directDrawCreatePlain;

}  // namespace fake
