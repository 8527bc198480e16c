// The factory that picks a control's peer by its kind: forms and grids here, the plain and the
// suite's controls from the lists their files keep.
#include "host/desktop/Peers.h"

#include "host/desktop/PeerKinds.h"
#include "platform/Controls.h"
#include "platform/Grid.h"

#include <map>

namespace desktop {

std::shared_ptr<ControlPeer> MakePeer(PeerHost& host, platform::Control& control)
{
    static const std::map<std::string_view, PeerMaker> makers = [] {
        std::map<std::string_view, PeerMaker> all{
            {"Form", MakePeerOf<FormPeer, platform::Form>},
            {"Grid", MakePeerOf<GridPeer, platform::Grid>},
        };
        for (const auto* family : {&PlainPeerKinds(), &SuitePeerKinds()})
            for (const PeerKind& entry : *family)
                all.emplace(entry.kind, entry.make);
        return all;
    }();
    const std::string& kind = control.Kind();
    if (kind == "Menu" || kind == "ImageList")
        return nullptr;
    if (auto it = makers.find(kind); it != makers.end())
        return it->second(host, control);
    return MakePlainPeer(host, control);
}

} // namespace desktop
