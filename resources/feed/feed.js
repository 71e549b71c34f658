'use strict';
// Draws the scoreboards from the state the program pushes over a WebSocket.
// Names are set as text only: whatever the operator types stays characters.
(() => {
  const params = new URLSearchParams(location.search);
  const team = params.get('team');
  const sides = team === 'home' || team === 'visitor' ? [team] : ['home', 'visitor'];
  if (params.get('transparent') === '1')
    document.documentElement.classList.add('transparent');

  const SVG = 'http://www.w3.org/2000/svg';
  const boards = document.getElementById('boards');
  const offline = document.getElementById('offline');

  const COLUMNS = [
    { key: 'name', title: 'Plyr Name', width: '2.2fr' },
    { key: 'number', title: 'Plyr #', width: '1fr', digits: 2, color: 'number' },
    { key: 'fouls', title: 'FLS', width: '0.7fr', digits: 1, color: 'fouls' },
    { key: 'points', title: 'PTS', width: '1fr', digits: 2, color: 'points' },
  ];

  // Segments a to g of a digit cell 12 wide and 20 high, as end points.
  const SEGMENTS = [
    [2, 1, 10, 1], [11, 2, 11, 9], [11, 11, 11, 18], [2, 19, 10, 19],
    [1, 11, 1, 18], [1, 2, 1, 9], [2, 10, 10, 10],
  ];
  const LIT = ['abcdef', 'bc', 'abged', 'abgcd', 'fgbc', 'afgcd', 'afgedc', 'abc', 'abcdefg', 'abcdfg'];

  function svg(name, attributes) {
    const node = document.createElementNS(SVG, name);
    for (const [key, value] of Object.entries(attributes))
      node.setAttribute(key, value);
    return node;
  }

  // One segment as a bevelled bar (Lines) or a row of dots (Dots).
  function segment([x1, y1, x2, y2], dots, x0) {
    const dx = Math.sign(x2 - x1), dy = Math.sign(y2 - y1);
    if (dots) {
      const group = svg('g', {});
      for (let k = 0; k <= 3; ++k)
        group.append(svg('circle', {
          cx: x0 + x1 + (x2 - x1) * k / 3, cy: y1 + (y2 - y1) * k / 3, r: 0.8 }));
      return group;
    }
    const w = 0.9, nx = -dy * w, ny = dx * w;
    const points = [
      [x1, y1], [x1 + dx * w + nx, y1 + dy * w + ny], [x2 - dx * w + nx, y2 - dy * w + ny],
      [x2, y2], [x2 - dx * w - nx, y2 - dy * w - ny], [x1 + dx * w - nx, y1 + dy * w - ny],
    ];
    return svg('polygon', { points: points.map(([x, y]) => `${x0 + x},${y}`).join(' ') });
  }

  function led(value, digits, color, dots) {
    const node = svg('svg', { class: 'led', viewBox: `0 0 ${13 * digits} 20`, fill: color });
    const text = value === null ? '' : String(value).slice(-digits).padStart(digits, ' ');
    for (let i = 0; i < digits; ++i) {
      const lit = LIT[text.charCodeAt(i) - 48] || '';
      SEGMENTS.forEach((ends, s) => {
        const part = segment(ends, dots, 13 * i);
        if (!lit.includes('abcdefg'[s]))
          part.setAttribute('class', 'off');
        node.append(part);
      });
    }
    node.setAttribute('role', 'img');
    node.setAttribute('aria-label', value === null ? 'no value' : String(value));
    return node;
  }

  function element(tag, className, text) {
    const node = document.createElement(tag);
    node.className = className;
    if (text !== undefined)
      node.textContent = text;
    return node;
  }

  function board(state, side) {
    const shown = COLUMNS.filter(c => state.columns[c.key]);
    const dots = state.digitStyle === 'Dots';
    const section = element('section', 'board');
    section.style.setProperty('--form-back', state.colors.formBack.css);
    section.style.setProperty('--border', state.colors.border.css);
    section.style.setProperty('--led-back', state.colors.ledBack.css);
    section.style.setProperty('--columns', shown.map(c => c.width).join(' '));
    section.append(element('h1', 'team', state[side].name));
    const titles = element('div', 'titles');
    for (const c of shown)
      titles.append(element('span', 'title', c.title));
    section.append(titles);
    const rows = element('ol', 'rows');
    for (const player of state[side].players) {
      const row = element('li', 'row');
      for (const c of shown)
        row.append(c.digits ? led(player[c.key], c.digits, state.colors[c.color].css, dots)
                            : element('span', 'name', player.name));
      rows.append(row);
    }
    section.append(rows);
    return section;
  }

  let renders = 0;
  function render(state) {
    boards.replaceChildren(...sides.map(side => board(state, side)));
    // Read by the tests and the latency benchmark.
    document.body.dataset.renders = ++renders;
    document.body.dataset.renderedAt = Date.now();
  }

  function connect() {
    const socket = new WebSocket(`${location.protocol === 'https:' ? 'wss' : 'ws'}://${location.host}/live`);
    socket.onopen = () => { offline.hidden = true; };
    socket.onmessage = event => render(JSON.parse(event.data));
    socket.onclose = () => {
      offline.hidden = false;
      setTimeout(connect, 2000);
    };
  }
  connect();
})();
