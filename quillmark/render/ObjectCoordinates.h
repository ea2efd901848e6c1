// ObjectCoordinates: the object coordinate system of an entity's normal, set up
// on the view for the entity's drawing. Arcs, circles, bulges and hatch lines
// are made in that system (angles from its x axis, the elevation as z); while
// an ObjectCoordinates lives, the view takes every point it is given from that
// system to world coordinates by the host's arbitrary-axis algorithm, before
// the transform in force. The world z normal (and a zero one) changes nothing.
#pragma once

#include "arx/ge/AcGeMatrix3d.h"
#include "arx/ge/AcGePoint3d.h"
#include "arx/ge/AcGeVector3d.h"

class CBlockView;

class ObjectCoordinates {
public:
  ObjectCoordinates(CBlockView& view, const AcGeVector3d& normal);
  ~ObjectCoordinates(); // puts back the view's transform and offset
  ObjectCoordinates(const ObjectCoordinates&) = delete;
  ObjectCoordinates& operator=(const ObjectCoordinates&) = delete;

  // World point p (the host gives centres in world coordinates) in this system.
  AcGePoint3d fromWorld(const AcGePoint3d& p) const;

private:
  CBlockView& m_view;
  AcGeVector3d m_normal;     // the entity's normal, as given
  AcGeMatrix3d m_savedXform; // the view's transform before
  AcGePoint3d m_savedOffset; // the view's offset before
  bool m_tilted;             // the system differs from the world's
};
