// AcDbImage and the raster images derived from it.
//   AcDbImage        the root of image entities
//   AcDbRasterImage  a raster image placed by an origin and pixel vectors, with a clip frame
//   AcDbWipeout      an area that hides what lies below (a 1 x 1 pixel image)
#pragma once

#include "arx/db/AcDbEntity.h"
#include "arx/ge/AcGePoint3dArray.h"

#include <vector>

class AcDbImage : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbImage);

protected:
  AcDbImage() = default;
};

class AcDbRasterImage : public AcDbImage {
public:
  ACRX_DECLARE_MEMBERS(AcDbRasterImage);
  AcDbRasterImage() = default;

  // Fills `vertices` with the corners of the clip frame (the whole image when it
  // is not clipped) in world coordinates, closed: the first corner is repeated.
  // eInvalidInput (and nothing added) for an image of no size.
  Acad::ErrorStatus getVertices(AcGePoint3dArray& vertices) const;

  // Lower-left corner of the image (world coordinates).
  AcGePoint3d origin() const { return m_origin; }
  // One pixel along the image's x and y (world vectors).
  AcGeVector3d uPixel() const { return m_u; }
  AcGeVector3d vPixel() const { return m_v; }
  // Size in pixels.
  AcGeVector2d imageSize() const { return m_size; }
  bool isClipped() const { return m_clipped; }

  void setOrientation(const AcGePoint3d& origin, const AcGeVector3d& uPixel,
                      const AcGeVector3d& vPixel);
  void setImageSize(const AcGeVector2d& size) { m_size = size; }
  // The clip frame in pixel coordinates (0, 0 at the top-left pixel's centre, y
  // down); two points make a rectangle. Fewer than two points: no clip.
  void setClipBoundary(const std::vector<AcGePoint2d>& boundary);
  void setClipped(bool clipped) { m_clipped = clipped; }

private:
  std::vector<AcGePoint2d> m_clip; // clip frame, pixel coordinates
  AcGePoint3d m_origin;            // world coordinates
  AcGeVector3d m_u{1.0, 0.0, 0.0}; // one pixel along x
  AcGeVector3d m_v{0.0, 1.0, 0.0}; // one pixel along y
  AcGeVector2d m_size{1.0, 1.0};   // pixels
  bool m_clipped = false;          // the clip frame is in force
};

class AcDbWipeout : public AcDbRasterImage {
public:
  ACRX_DECLARE_MEMBERS(AcDbWipeout);
  AcDbWipeout() = default;
};
