select *
from
(
select *,
       sum(cant) over()         as sum_cant,
       sum(cant_scanata) over() as sum_cant_scanata
from
(
select coalesce(p.data_doc, s.data_doc) as data_doc,
       coalesce(p.tip_doc,  s.tip_doc)  as tip_doc,
       coalesce(p.nr_doc,   s.nr_doc)   as nr_doc,
       coalesce(p.articol,  s.articol)  as articol,
       p.cant,
       s.cant_scanata,
       coalesce(p.cod_bare,      s.cod_bare)      as cod_bare,
       coalesce(p.locatie, s.locatie) as locatie

from
(
select p.data_doc,
       p.tip_doc,
       p.nr_doc,
       p.articol,
       p.cant,
       articol.cod_bare,
--       articol.locatie_linie,
       doc.magazie_sursa,
       locatie_agg.locatie
from
(
select doc_poz.data_doc,
       doc_poz.tip_doc,
       doc_poz.nr_doc,
       doc_poz.articol,
       sum(abs(doc_poz.cant)) as cant
from doc_poz left outer join articol on doc_poz.articol = articol.articol
where articol.da_nu_stocabil
  and doc_poz.data_doc = :pDataDoc
  and doc_poz.tip_doc  = :pTipDoc
  and doc_poz.nr_doc   = :pNrDoc
group by doc_poz.data_doc,
         doc_poz.tip_doc,
         doc_poz.nr_doc,
         doc_poz.articol
) as p left outer join articol on p.articol = articol.articol
       left outer join doc on p.data_doc = doc.data_doc
                          and p.tip_doc  = doc.tip_doc
                          and p.nr_doc   = doc.nr_doc
       left outer join (
                        select magazie,
                               articol,
                               string_agg(locatie, ', ') as locatie
                        from
                        (
                         select locatie_art.*,
                         locatie.magazie
                         from locatie_art left outer join locatie on locatie_art.locatie = locatie.locatie
                         order by articol,
                                  magazie,
                                  locatie
                        ) as a
                        group by magazie,
                        articol
                       ) as locatie_agg on doc.magazie_sursa = locatie_agg.magazie
                                       and p.articol         = locatie_agg.articol
) as p

full outer join

(
select s.data_doc,
       s.tip_doc,
       s.nr_doc,
       articol.articol,
       s.cant_scanata,
       s.cod_bare,
--       articol.locatie_linie
       doc.magazie_sursa,
       locatie_agg.locatie
from
(
select data_doc,
       tip_doc,
       nr_doc,
       cod_bare,
       sum(cant) as cant_scanata
from doc_poz_marfa_tm
where data_doc = :pDataDoc
  and tip_doc  = :pTipDoc
  and nr_doc   = :pNrDoc
group by data_doc,
         tip_doc,
         nr_doc,
         cod_bare
) as s left outer join articol on s.cod_bare = articol.cod_bare
       left outer join doc on s.data_doc = doc.data_doc
                          and s.tip_doc  = doc.tip_doc
                          and s.nr_doc   = doc.nr_doc
       left outer join (select magazie,
                               articol,
                               string_agg(locatie, ', ') as locatie
                        from
                        (
                         select locatie_art.*,
                         locatie.magazie
                         from locatie_art left outer join locatie on locatie_art.locatie = locatie.locatie
                         order by articol,
                                  magazie,
                                  locatie
                        ) as a
                        group by magazie,
                        articol
                       ) as locatie_agg on doc.magazie_sursa = locatie_agg.magazie
                                       and articol.articol         = locatie_agg.articol
) as s on p.data_doc = s.data_doc
      and p.tip_doc  = s.tip_doc
      and p.nr_doc   = s.nr_doc
      and p.articol  = s.articol
) as q
) as q
where case when tip_doc in ('NIR', 'NP') and cant_scanata is null then false else true end
order by articol
;
