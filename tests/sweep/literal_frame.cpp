// The frame routine written out step by step as the visualiser defines it, with no
// optimisation and its own state. Two things are added to the literal text where a value
// would not fit an int (the conversion would be undefined): a near-line difference outside
// the int range counts as not near, and a circle sample outside it is skipped. One thing is
// mended, marked MEND below: a triple of collinear or coincident sites is no circle event.
#include "tests/sweep/literal_frame.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "winfw/winfw.h"

namespace literal {

Scene scene;

namespace {

Scene& s = scene;

bool fitsInt(double v) { return v > -2147483649.0 && v < 2147483648.0; }

// ---- Frame set-up and active sites ---------------------------------------------------------

void openFrame() {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  for (int i = 1; i <= s.siteCount; i++) {
    glPointSize(7);
    glBegin(GL_POINTS);
    glColor3d(1, 0, 0);
    glVertex3d(s.sites[i].x, s.sites[i].y, 0);
    glEnd();
  }
}

void selectActive() {
  s.nearLine = 0;
  s.activeCount = 0;
  for (int i = 1; i <= s.siteCount; i++) {
    double d = s.sites[i].y - s.sweepY;
    if (fitsInt(d)) {
      int truncated = (int)d;
      if (std::abs(truncated) < 0.1) s.nearLine = 1;
    }
    if (s.sites[i].y > s.sweepY) {
      s.activeCount = s.activeCount + 1;
      s.activeSites[s.activeCount] = s.sites[i];
    }
  }
}

void sortDescending(Point* table, int n) {
  for (int i = 1; i <= n - 1; i++) {
    for (int j = n; j >= i + 1; j--) {
      if (table[i].x < table[j].x) {
        Point t = table[i];
        table[i] = table[j];
        table[j] = t;
      }
    }
  }
}

void filterBeach() {
  s.beachCount = 0;
  for (int i = 1; i <= s.activeCount; i++) {
    if (s.offBeach[i] == 0) {
      s.beachCount = s.beachCount + 1;
      s.beachSites[s.beachCount] = s.activeSites[i];
    }
  }
}

// ---- Circle events and Voronoi vertices ----------------------------------------------------

void storeEnd(int p, int q, double Cx, double Cy) {
  Point& pq = s.edgeEnds[p * N + q];
  Point& qp = s.edgeEnds[q * N + p];
  bool qpDiffers = qp.x != Cx || qp.y != Cy;
  if (s.edgeEndCount[p * N + q] == 0 && qpDiffers) {
    pq.x = Cx;
    pq.y = Cy;
    s.edgeEndCount[p * N + q] = s.edgeEndCount[p * N + q] + 1;
  } else if (pq.x != Cx || pq.y != Cy) {
    qp.x = Cx;
    qp.y = Cy;
    s.edgeEndCount[q * N + p] = s.edgeEndCount[q * N + p] + 1;
  }
}

void circleEvents() {
  if (!(s.sweepY > 0.0)) return;
  for (int i = 3; i <= s.beachCount; i++) {
    for (int j = 2; j <= i - 1; j++) {
      for (int k = 1; k <= j - 1; k++) {
        long long x1 = (int)s.beachSites[i].x;
        long long y1 = (int)s.beachSites[i].y;
        long long x2 = (int)s.beachSites[j].x;
        long long y2 = (int)s.beachSites[j].y;
        long long x3 = (int)s.beachSites[k].x;
        long long y3 = (int)s.beachSites[k].y;

        long long D1 = (x3 - x1) * (y1 - y2) - (x2 - x1) * (y1 - y3);
        long long N1 = (x3 - x1) * (x2 - x1) * (x3 - x2) + (x3 - x1) * (y1 - y2) * (y1 + y2) -
                       (x2 - x1) * (y1 + y3) * (y1 - y3);
        double e1 = 0.0;
        if (D1 == 0) e1 = 0.01;
        double Cy = (double)N1 / ((double)(2 * D1) + e1);
        long long D2 = (y3 - y1) * (x1 - x2) - (y2 - y1) * (x1 - x3);
        long long N2 = (y3 - y1) * (y2 - y1) * (y3 - y2) + (y3 - y1) * (x1 - x2) * (x1 + x2) -
                       (y2 - y1) * (x1 + x3) * (x1 - x3);
        double e2 = 0.0;
        if (D2 == 0) e2 = 0.01;
        double Cx = (double)N2 / ((double)(2 * D2) + e2);

        // MEND: collinear or coincident sites have no circumcircle and give no circle event.
        // This is the one place where the oracle departs from the literal text, which would
        // go on with the nudged centre (far away, or the origin) as if it were a vertex.
        if (D1 == 0) continue;

        double R = std::sqrt((Cx - x1) * (Cx - x1) + (Cy - y1) * (Cy - y1));

        s.insideFlag = 0;
        for (int m = 1; m <= s.siteCount; m++) {
          double dm = std::sqrt((Cx - s.sites[m].x) * (Cx - s.sites[m].x) +
                                (Cy - s.sites[m].y) * (Cy - s.sites[m].y));
          bool isFirst = s.sites[m].x == x1 && s.sites[m].y == y1;
          bool isSecond = s.sites[m].x == x2 && s.sites[m].y == y2;
          bool isThird = s.sites[m].x == x3 && s.sites[m].y == y3;
          if (dm < R && !isFirst && !isSecond && !isThird) s.insideFlag = 1;
        }
        if (s.insideFlag == 1) continue;

        if (!(Cy - R <= s.sweepY + 7.0)) continue;

        int a = 0, b = 0, c = 0;
        for (int m = 1; m <= s.siteCount; m++) {
          if (s.sites[m].x - x1 == 0 && s.sites[m].y - y1 == 0) a = m;
          if (s.sites[m].x - x2 == 0 && s.sites[m].y - y2 == 0) b = m;
          if (s.sites[m].x - x3 == 0 && s.sites[m].y - y3 == 0) c = m;
        }

        storeEnd(a, b, Cx, Cy);
        storeEnd(a, c, Cx, Cy);
        storeEnd(b, c, Cx, Cy);

        glPointSize(2);
        glBegin(GL_POINTS);
        glColor3d(1, 1, 1);
        glVertex3d(Cx, Cy, 0);
        glEnd();

        if (0 < Cx && Cx < 912 && 0 < Cy && Cy < 912) s.traceRaster[(int)Cx * G + (int)Cy] = 2;

        glPointSize(2);
        glColor3d(0.1, 0.7, 0.5);
        double t = 0.0;
        while (t <= 360.0) {
          double vx = R * std::cos(t) + Cx;
          double vy = R * std::sin(t) + Cy;
          if (fitsInt(vx) && fitsInt(vy)) {
            int px = (int)vx;
            int py = (int)vy;
            if (0 < px && px < 912 && 0 < py && py < 912) {
              glBegin(GL_POINTS);
              glVertex3d(px, py, 0);
              glEnd();
            }
          }
          t = t + 0.1;
        }
      }
    }
  }
}

// ---- Beach-line trace ----------------------------------------------------------------------

double height(Point a, double x) {
  return ((x - a.x) * (x - a.x) + a.y * a.y - s.sweepY * s.sweepY) / ((a.y - s.sweepY) * 2);
}

void traceBeach() {
  for (int i = 1; i <= 99; i++) s.offBeach[i] = 1;
  if (s.activeCount < 1) return;
  int previousWinner = 0;
  double scanX = -300.0;
  while (scanX <= 1012.0) {
    double envelopeY = height(s.activeSites[1], scanX);
    int winner = 1;
    for (int k = 2; k <= s.activeCount; k++) {
      double h = height(s.activeSites[k], scanX);
      if (h < envelopeY) {
        envelopeY = h;
        winner = k;
      }
    }
    s.offBeach[winner] = 0;
    glPointSize(2.0);
    glBegin(GL_POINTS);
    glColor3d(1.0, 0.0, 0.0);
    glVertex3d(scanX, envelopeY, 0.0);
    glEnd();
    if (previousWinner != 0 && winner != 0 && previousWinner != winner) {
      if (0.0 < envelopeY && envelopeY < 912.0 && 0.0 < scanX && scanX < 912.0 &&
          s.sweepY > 0.0) {
        glBegin(GL_LINES);
        glColor3d(1.0, 1.0, 1.0);
        glVertex3d(scanX, 0.0, 0.0);
        glVertex3d(scanX, 912.0, 0.0);
        glEnd();
      }
      if (0.0 < envelopeY && envelopeY < 912.0 && 0.0 < scanX && scanX < 912.0) {
        int cx = (int)scanX;
        int cy = (int)envelopeY;
        if (s.traceRaster[cx * G + cy] != 2) s.traceRaster[cx * G + cy] = 1;
      }
      int winnerSite = 0, previousSite = 0;
      for (int n = 1; n <= s.siteCount; n++) {
        if (s.sites[n].x == s.activeSites[winner].x && s.sites[n].y == s.activeSites[winner].y)
          winnerSite = n;
        if (s.sites[n].x == s.activeSites[previousWinner].x &&
            s.sites[n].y == s.activeSites[previousWinner].y)
          previousSite = n;
      }
      s.delaunayAdj[winnerSite * N + previousSite] = 1;
    }
    previousWinner = winner;
    scanX = scanX + 0.1;
  }
}

// ---- Sweep advance and final drawing -------------------------------------------------------

void advance() {
  glBegin(GL_LINES);
  glColor3d(0.0, 0.0, 1.0);
  glVertex3d(0.0, s.sweepY, 0.0);
  glVertex3d(1012.0, s.sweepY, 0.0);
  glEnd();
  double sweepStep;
  if (s.nearLine == 1)
    sweepStep = (double)(s.beachCount / 500) + 0.2;
  else
    sweepStep = (double)(s.beachCount / 100) + 1.0;
  s.sweepY = s.sweepY - sweepStep;
}

void marks() {
  for (int x = 1; x <= 911; x++) {
    for (int y = 1; y <= 911; y++) {
      if (s.traceRaster[x * G + y] == 1) {
        glPointSize(1.0);
        glBegin(GL_POINTS);
        glColor3d(0.0, 1.0, 0.0);
        glVertex3d((double)x, (double)y, 0.0);
        glEnd();
      }
      if (s.traceRaster[x * G + y] == 2) {
        glPointSize(5.0);
        glBegin(GL_POINTS);
        glColor3d(0.0, 1.0, 1.0);
        glVertex3d((double)x, (double)y, 0.0);
        glEnd();
      }
    }
  }
}

void delaunay() {
  for (int i = 1; i <= s.siteCount; i++) {
    for (int j = 1; j <= s.siteCount; j++) {
      if (s.delaunayAdj[i * N + j] == 1) {
        glLineWidth(1.0);
        glBegin(GL_LINES);
        glColor3d(0.0, 1.0, 1.0);
        glVertex3d(s.sites[i].x, s.sites[i].y, 0.0);
        glVertex3d(s.sites[j].x, s.sites[j].y, 0.0);
        glEnd();
      }
    }
  }
}

void voronoi() {
  for (int l = 1; l <= s.siteCount; l++) {
    for (int m = 1; m <= s.siteCount; m++) {
      if (s.edgeEndCount[l * N + m] != 0 && s.edgeEndCount[m * N + l] != 0) {
        glLineWidth(2.0);
        glBegin(GL_LINES);
        glColor3d(0.0, 1.0, 0.0);
        glVertex3d(s.edgeEnds[l * N + m].x, s.edgeEnds[l * N + m].y, 0.0);
        glVertex3d(s.edgeEnds[m * N + l].x, s.edgeEnds[m * N + l].y, 0.0);
        glEnd();
      }
    }
  }
}

}  // namespace

void restoreStartValues() {
  std::memset(&scene, 0, sizeof scene);
  scene.sweepDirection = -1;
  scene.sweepY = 750.0;
  scene.insideFlag = 1;
}

void addSite(int x, int y) {
  if (s.siteCount >= N - 1) return;
  s.sites[s.siteCount + 1].x = x;
  s.sites[s.siteCount + 1].y = y;
  s.siteCount = s.siteCount + 1;
}

void leftArrow() { s.runCounter = s.runCounter + 5; }
void rightArrow() { s.sweepDirection = -s.sweepDirection; }

void frame() {
  openFrame();
  if (s.runCounter == 0) {
    wfSwapBuffers();
    return;
  }
  selectActive();
  sortDescending(s.activeSites, s.activeCount);
  filterBeach();
  circleEvents();
  traceBeach();
  advance();
  marks();
  if (s.sweepY <= 0.0 && s.sweepDirection == 1) delaunay();
  if (s.sweepY > 0.0) {
    wfSwapBuffers();
    return;
  }
  voronoi();
  wfSwapBuffers();
}

}  // namespace literal
