// What the peer files share: the kind-to-maker entries each family of peers lists for the
// factory (MakePeer, Peers.cpp), and the cast from a peer's control to its own class.
#pragma once

#include "host/desktop/ControlPeer.h"

#include <memory>
#include <string_view>
#include <vector>

namespace desktop {

using PeerMaker = std::shared_ptr<ControlPeer> (*)(PeerHost&, platform::Control&);

struct PeerKind {
    std::string_view kind;
    PeerMaker make;
};

template <class Peer, class Kind = platform::Control>
std::shared_ptr<ControlPeer> MakePeerOf(PeerHost& host, platform::Control& control)
{
    return std::make_shared<Peer>(host, static_cast<Kind&>(control));
}

template <class T>
T& As(platform::Control* control)
{
    return static_cast<T&>(*control);
}

// Label, option button, picture box, shape (PlainPeers.cpp).
const std::vector<PeerKind>& PlainPeerKinds();
// The suite's find box, combo box, number box, text box, button and theme (SuitePeers.cpp).
const std::vector<PeerKind>& SuitePeerKinds();
// A kind without a peer of its own: it still shows where it is, with its colours.
std::shared_ptr<ControlPeer> MakePlainPeer(PeerHost& host, platform::Control& control);

} // namespace desktop
