"use strict";
// The line at a glance: polls the JSON API and draws the boards, the totals,
// the hourly yield, the failures and the pools. The server says the page's
// language from the browser's Accept-Language; navigator.language otherwise.
const TEXTS = {
  en: {
    title: "The line", hourly: "Yield per hour, last day", failures: "Failures by reason", pools: "Identity pools",
    chips: "chips", passed: "passed", failed: "failed", yield: "yield", boards: "boards",
    waiting: "waiting for a chip", handshake: "handshake", downloading: "downloading", done: "done",
    gone: "board gone", ended: "station ended", silent: "silent", chip: "chip", last: "last failure",
    field: "field", used: "used", void: "void", left: "left", none: "none yet",
    low: (f, n) => `only ${n} values of ${f} are left`, noBoards: "no station has published a board yet",
  },
  zh: {
    title: "产线", hourly: "最近一天每小时良率", failures: "失败原因", pools: "标识号池",
    chips: "芯片", passed: "通过", failed: "失败", yield: "良率", boards: "烧录板",
    waiting: "等待芯片", handshake: "握手", downloading: "下载中", done: "完成",
    gone: "烧录板断开", ended: "工位已结束", silent: "无响应", chip: "芯片", last: "上次失败",
    field: "字段", used: "已用", void: "作废", left: "剩余", none: "暂无",
    low: (f, n) => `${f} 只剩 ${n} 个值`, noBoards: "还没有工位发布烧录板状态",
  },
};
const pageLanguage = document.documentElement.lang === "zh" || /^zh/i.test(navigator.language) ? "zh" : "en";
const T = TEXTS[pageLanguage];
document.documentElement.lang = pageLanguage;
document.querySelectorAll("[data-text]").forEach((node) => { node.textContent = T[node.dataset.text]; });
document.title = T.title;

function element(tag, attributes, ...children) {
  const node = document.createElement(tag);
  Object.entries(attributes || {}).forEach(([key, value]) => node.setAttribute(key, value));
  children.forEach((child) => node.append(child));
  return node;
}

async function ask(path) {
  const response = await fetch(path, { cache: "no-store" });
  const body = await response.json();
  if (!response.ok) throw new Error(body.error || response.statusText);
  return body;
}

function showProblem(text) {
  const box = document.getElementById("problem");
  box.hidden = !text;
  box.textContent = text || "";
}

function drawBoards(view) {
  const boards = document.getElementById("boards");
  boards.replaceChildren();
  if (view.boards.length === 0) boards.append(element("p", { class: "none" }, T.noBoards));
  for (const board of view.boards) {
    const shown = board.silent ? "silent" : board.state;
    const tile = element("div", { class: `tile state-${shown}`, id: `board-${board.board}`, "data-state": shown,
                                  "data-percent": board.percent });
    tile.append(element("div", { class: "id" }, board.board));
    tile.append(element("div", { class: "state" }, T[shown] || board.state));
    if (shown === "downloading") {
      const bar = element("div", { class: "bar" }, element("div", { style: `width:${board.percent}%` }));
      tile.append(bar, element("div", { class: "numbers" }, `${board.percent}%`));
    }
    if (board.chip) tile.append(element("div", { class: "chip" }, `${T.chip} ${board.chip}`));
    tile.append(element("div", { class: "numbers" },
      `${T.passed} ${board.passed} · ${T.failed} ${board.failed} · ${T.yield} ${board.yield || "-"}`));
    if (board.last_result === "fail") tile.append(element("div", { class: "reason" }, `${T.last}: ${board.last_reason}`));
    boards.append(tile);
  }
}

function drawTotals(summary) {
  const totals = document.getElementById("totals");
  const item = (name, value, id) => element("span", {}, `${T[name]} `, element("b", { id }, String(value)));
  totals.replaceChildren(item("chips", summary.chips, "total-chips"), item("passed", summary.passed, "total-passed"),
                         item("failed", summary.failed, "total-failed"), item("yield", summary.yield || "-", "total-yield"));
}

// The last 24 hours as columns, each as high as its yield; empty hours stay empty.
function drawHours(summary) {
  const width = 480, height = 150, top = 10, bottom = 20, left = 28;
  const byHour = new Map(summary.hours.map((hour) => [hour.hour, hour]));
  const hours = [];
  for (let i = 23; i >= 0; --i) {
    const t = new Date(Date.now() - i * 3600 * 1000);
    const pad = (n) => String(n).padStart(2, "0");
    hours.push(`${t.getFullYear()}-${pad(t.getMonth() + 1)}-${pad(t.getDate())}T${pad(t.getHours())}`);
  }
  const ns = "http://www.w3.org/2000/svg";
  const svg = document.createElementNS(ns, "svg");
  svg.setAttribute("viewBox", `0 0 ${width} ${height}`);
  svg.setAttribute("role", "img");
  const add = (tag, attributes, text) => {
    const node = document.createElementNS(ns, tag);
    Object.entries(attributes).forEach(([key, value]) => node.setAttribute(key, value));
    if (text !== undefined) node.textContent = text;
    svg.append(node);
  };
  const plot = height - top - bottom, step = (width - left) / hours.length;
  for (const percent of [0, 50, 100]) {
    const y = top + plot * (1 - percent / 100);
    add("line", { x1: left, x2: width, y1: y, y2: y, stroke: "#e3e6ea" });
    add("text", { x: 0, y: y + 3 }, `${percent}%`);
  }
  hours.forEach((name, i) => {
    const hour = byHour.get(name);
    if (i % 3 === 0) add("text", { x: left + i * step, y: height - 6 }, name.slice(11) + "h");
    if (!hour) return;
    const share = hour.passed / hour.chips, h = plot * share;
    add("rect", { x: left + i * step + 1, y: top + plot - h, width: step - 2, height: h,
                  fill: share >= 0.95 ? "#2e9d49" : share >= 0.8 ? "#d4a017" : "#c0392b" });
    add("title", {}, `${name}h: ${hour.yield} (${hour.chips} ${T.chips})`);
  });
  document.getElementById("hours").replaceChildren(svg);
}

function drawFailures(view) {
  const place = document.getElementById("failures");
  if (view.failures.length === 0) return place.replaceChildren(element("p", { class: "none" }, T.none));
  const most = Math.max(...view.failures.map((failure) => failure.chips));
  place.replaceChildren(...view.failures.map((failure) => element("div", { class: "reasonbar" },
    element("span", {}, failure.reason),
    element("span", {}, element("span", { class: "fill", style: `width:${(100 * failure.chips) / most}%` })),
    element("span", {}, String(failure.chips)))));
}

function drawPools(view) {
  const place = document.getElementById("pools");
  if (view.pools.length === 0) return place.replaceChildren(element("p", { class: "none" }, T.none));
  const head = element("tr", {}, ...["field", "used", "void", "left"].map((name) => element("th", {}, T[name])));
  const rows = view.pools.map((pool) => element("tr", { class: pool.low ? "low" : "" },
    element("td", {}, pool.field), element("td", {}, String(pool.used)), element("td", {}, String(pool.void)),
    element("td", {}, String(pool.left))));
  const warnings = view.pools.filter((pool) => pool.low)
    .map((pool) => element("div", { class: "warning" }, T.low(pool.field, pool.left)));
  place.replaceChildren(element("table", {}, head, ...rows), ...warnings);
}

async function poll(paths, draw, every) {
  try {
    const views = await Promise.all(paths.map(ask));
    draw(...views);
    showProblem("");
  } catch (error) {
    showProblem(error.message);
  }
  setTimeout(() => poll(paths, draw, every), every);
}

poll(["/api/boards"], drawBoards, 300);
poll(["/api/summary", "/api/failures", "/api/pools"], (summary, failures, pools) => {
  drawTotals(summary);
  drawHours(summary);
  drawFailures(failures);
  drawPools(pools);
}, 1000);
