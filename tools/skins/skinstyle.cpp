#include "skinstyle.h"

Skinstyle Skinstyle::red()
{
    Skinstyle s;
    s.name = "Red";
    s.panelTop = rgb(0x2b2c30);
    s.panelBottom = rgb(0x1d1e21);
    s.displayTop = rgb(0x16181c);
    s.displayBottom = rgb(0x0e0f12);
    s.bezelDark = rgb(0x08090a);
    s.bezelLight = rgb(0x3d3f44);
    s.gridMajor = rgb(0xffffff).alpha(0.085);
    s.gridMinor = rgb(0xffffff).alpha(0.035);
    s.ink = rgb(0xe4e6ea);
    s.label = rgb(0x9a9ea6);
    s.dim = rgb(0x6c7078);
    s.accent = rgb(0xe5403f);
    s.litTop = rgb(0x141518);
    s.litBottom = rgb(0x1f2023);
    s.litInk = rgb(0xff554d);
    s.capTop = rgb(0x4b4e54);
    s.capBottom = rgb(0x2a2c30);
    s.capEdge = rgb(0x0b0c0e);
    s.capShine = rgb(0x6a6e75);
    s.well = rgb(0x0c0d0f);
    s.pill = rgb(0x000000).alpha(0.45);
    s.pillEdge = rgb(0xffffff).alpha(0.10);
    s.hint = rgb(0x15171b).alpha(0.94);
    s.hintEdge = rgb(0xffffff).alpha(0.28);
    s.card = rgb(0x1e1f23);
    s.cardEdge = rgb(0x3c3e44);
    s.bands = {rgb(0xf0a040), rgb(0xe3cf52), rgb(0x7ccf72), rgb(0x4fc6c0), rgb(0x5b9cf0), rgb(0xa37ef0), rgb(0xe676c0)};
    s.bandAlpha = 120;
    s.main = rgb(0xff5a4e);
    s.left = rgb(0x4fb8ff);
    s.right = rgb(0xff9a3c);
    s.mid = rgb(0xf0f0f0);
    s.side = rgb(0xc080ff);
    s.analyzerIn = rgb(0xa0a4ac).alpha(0.13);
    s.analyzerOut = rgb(0x6c8fc0).alpha(0.22);
    s.grain = 2;
    return s;
}

Skinstyle Skinstyle::ivory()
{
    Skinstyle s;
    s.name = "Ivory";
    s.panelTop = rgb(0xeee8db);
    s.panelBottom = rgb(0xdcd4c3);
    s.displayTop = rgb(0xfbf9f3);
    s.displayBottom = rgb(0xf2eee3);
    s.bezelDark = rgb(0x9c9280);
    s.bezelLight = rgb(0xfffdf8);
    s.gridMajor = rgb(0x3a3226).alpha(0.13);
    s.gridMinor = rgb(0x3a3226).alpha(0.055);
    s.ink = rgb(0x2e2a25);
    s.label = rgb(0x6f675a);
    s.dim = rgb(0x988f80);
    s.accent = rgb(0x23677c);
    s.litTop = rgb(0x2d7a90);
    s.litBottom = rgb(0x1f5c6e);
    s.litInk = rgb(0xfbf9f3);
    s.capTop = rgb(0xfffdf8);
    s.capBottom = rgb(0xddd5c5);
    s.capEdge = rgb(0x8f8572);
    s.capShine = rgb(0xffffff);
    s.well = rgb(0xfbf9f4);
    s.pill = rgb(0xfffdf8).alpha(0.88);
    s.pillEdge = rgb(0x8f8572).alpha(0.55);
    s.hint = rgb(0xfffdf8).alpha(0.96);
    s.hintEdge = rgb(0x8f8572).alpha(0.85);
    s.card = rgb(0xf8f4ea);
    s.cardEdge = rgb(0xb3a995);
    s.bands = {rgb(0xd2542e), rgb(0xc7900f), rgb(0x4f9a3c), rgb(0x14968f), rgb(0x2e68c4), rgb(0x7a50be), rgb(0xc4408c)};
    s.bandAlpha = 140;
    s.main = rgb(0x26292f);
    s.left = rgb(0x1f6fd1);
    s.right = rgb(0xc8561a);
    s.mid = rgb(0x3a3f48);
    s.side = rgb(0x8a3fb8);
    s.analyzerIn = rgb(0x8a8478).alpha(0.15);
    s.analyzerOut = rgb(0x5b7fb0).alpha(0.2);
    s.grain = 2;
    return s;
}
