// Event-sink map lookup: the map chain of a window object from its own class up to CCmdTarget.
#include "framework/EventSinkMap.h"

#include "framework/Wnd.h"

const AFX_EVENTSINKMAP* CCmdTarget::GetThisEventSinkMap()
{
    static const AFX_EVENTSINKMAP_ENTRY entries[] = { { 0, 0, nullptr } };
    static const AFX_EVENTSINKMAP map = { nullptr, entries };
    return &map;
}

const AFX_EVENTSINKMAP* CCmdTarget::GetEventSinkMap() const
{
    return GetThisEventSinkMap();
}

bool CCmdTarget::OnEvent(UINT nCtrlID, DISPID dispid, DISPPARAMS* pParams, HRESULT* phr)
{
    for (const AFX_EVENTSINKMAP* map = GetEventSinkMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_EVENTSINKMAP_ENTRY* e = map->lpEntries; e->pfnHandler; ++e) {
            if (e->nCtrlID == nCtrlID && e->dispid == dispid) {
                HRESULT hr = e->pfnHandler(this, pParams);
                if (phr)
                    *phr = hr;
                return true;
            }
        }
    }
    return false;
}
