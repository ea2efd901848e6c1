// HostEntityLists: the entities of a drawing as entnext and entget give them to LISP.
// An entity's list holds the DXF group codes of its kind, from what the database
// keeps of it (so a drawing read from DWG and its DXF twin give the same lists):
//   (-1 . ename) (0 . "LINE") (8 . layer) (62 . colour, when not BYLAYER; a true
//   colour's nearest index) (420 . 0xRRGGBB, for a true colour)
//   points as (10 x y z) (11 ...) (12 ...) (13 ...), 40 radius or height, 50/51
//   angles (radians, as entget gives them), 210 normal, 2 block name of a reference,
//   70/71/44/45 MINSERT counts and spacing, 1 text, ...
// entnext walks as AutoLISP does: a polyline's VERTEX entities and a reference's
// ATTRIB entities (66 . 1 on the owner) follow their owner, then its SEQEND (whose
// list names the owner in -2), then the entity after the owner.
#pragma once

#include "arx/lisp/LispValue.h"

class AcDbDatabase;
class AcDbBlockTableRecord;

// The name of the first entity of `block`, nil when it holds none.
LispRef hostFirstEntity(const AcDbBlockTableRecord* block);
// The entity after `entity` (the first of model space for nil), or nil.
LispRef hostEntityNext(AcDbDatabase* database, const LispRef& entity);
// The group list of an entity name.
LispRef hostEntityList(const LispRef& entity);
