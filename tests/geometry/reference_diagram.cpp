// CGAL's Delaunay triangulation with exact predicates and floating-point constructions: every
// decision (orientation, in-circle, cocircularity) is exact for the whole-pixel sites, and the
// circumcentres are computed in double, well within the judge's tolerance. Collinear sets come
// out as a triangulation of dimension 1, duplicates as one vertex; both need no special case.
#include "tests/geometry/reference_diagram.h"

#include <CGAL/Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Triangulation_vertex_base_with_info_2.h>

#include <cmath>
#include <map>

namespace reference {

namespace {

using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using VertexBase = CGAL::Triangulation_vertex_base_with_info_2<int, Kernel>;
using FaceBase = CGAL::Triangulation_face_base_2<Kernel>;
using Triangulation =
    CGAL::Delaunay_triangulation_2<Kernel,
                                   CGAL::Triangulation_data_structure_2<VertexBase, FaceBase>>;
using Face = Triangulation::Face_handle;

struct EmptyCircle {
  Point centre;
  double lowest;
  std::vector<int> onCircle;
};

// The face's circumcircle with every position on it: its own three and any cocircular others.
EmptyCircle circleOf(const Triangulation& dt, Face f) {
  EmptyCircle c;
  const Kernel::Point_2 centre = dt.circumcenter(f);
  c.centre = {centre.x(), centre.y()};
  c.lowest = centre.y() - std::sqrt(CGAL::squared_distance(centre, f->vertex(0)->point()));
  for (auto v = dt.finite_vertices_begin(); v != dt.finite_vertices_end(); ++v)
    if (f->has_vertex(v) || dt.side_of_oriented_circle(f, v->point()) == CGAL::ON_ORIENTED_BOUNDARY)
      c.onCircle.push_back(v->info());
  return c;
}

}  // namespace

Pair pairOf(int a, int b) { return a < b ? Pair{a, b} : Pair{b, a}; }

Diagram diagramOf(const std::vector<Point>& sites) {
  Diagram d;
  std::map<std::pair<double, double>, int> numberAt;
  Triangulation dt;
  for (const Point& s : sites) {
    auto found = numberAt.emplace(std::make_pair(s.x, s.y), static_cast<int>(d.positions.size()));
    if (found.second) {
      d.positions.push_back(s);
      dt.insert(Kernel::Point_2(s.x, s.y))->info() = found.first->second;
    }
    d.positionOf.push_back(found.first->second);
  }

  for (auto e = dt.finite_edges_begin(); e != dt.finite_edges_end(); ++e) {
    const Face f = e->first;
    const int i = e->second;
    const Pair uv =
        pairOf(f->vertex(Triangulation::cw(i))->info(), f->vertex(Triangulation::ccw(i))->info());
    d.delaunayPairs.insert(uv);
    if (dt.dimension() < 2) {  // collinear sites: every Voronoi edge is a whole line
      d.voronoiNeighbours.insert(uv);
      continue;
    }
    const Face g = f->neighbor(i);
    if (dt.is_infinite(f) || dt.is_infinite(g)) {  // a ray
      d.voronoiNeighbours.insert(uv);
      continue;
    }
    // Four sites on one circle: the dual of the diagonal is a single point, no edge.
    if (dt.side_of_oriented_circle(g, f->vertex(i)->point()) == CGAL::ON_ORIENTED_BOUNDARY)
      continue;
    d.voronoiNeighbours.insert(uv);
    FiniteEdge edge;
    edge.sites = uv;
    const Face ends[2] = {f, g};
    for (int k = 0; k < 2; ++k) {
      EmptyCircle c = circleOf(dt, ends[k]);
      edge.end[k] = c.centre;
      edge.lowest[k] = c.lowest;
      edge.onCircle[k] = c.onCircle;
    }
    d.finiteEdges.push_back(edge);
  }

  // Any two sites on one empty circle are joined in some Delaunay triangulation.
  for (auto f = dt.finite_faces_begin(); f != dt.finite_faces_end(); ++f) {
    const std::vector<int> on = circleOf(dt, f).onCircle;
    if (on.size() <= 3) continue;
    for (size_t a = 0; a < on.size(); ++a)
      for (size_t b = a + 1; b < on.size(); ++b) d.delaunayPairs.insert(pairOf(on[a], on[b]));
  }
  return d;
}

}  // namespace reference
