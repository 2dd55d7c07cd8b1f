// The root of every tab strip: the command bars' MDI tab client and the
// docking tabs both reach their strips through it.
#pragma once

class CTkTabSetBase {
 public:
  // Lets the strip's owner lay it out again and redraw it.
  virtual void NotifyOwnerRefresh() { Reposition(); }
  // The owner frees what it gave the strip; the base holds nothing.
  virtual ~CTkTabSetBase() {}
  virtual void Reposition() = 0;
};
